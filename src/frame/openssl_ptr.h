// Owning pointers to the OpenSSL objects of the cryptography code, each freed
// the way OpenSSL asks (big numbers are wiped first).
#pragma once

#include <openssl/bio.h>
#include <openssl/bn.h>
#include <openssl/evp.h>

#include <memory>

namespace bp::ossl {

template <auto Free>
struct Deleter {
  template <class T>
  void operator()(T* object) const {
    Free(object);
  }
};

using Bn = std::unique_ptr<BIGNUM, Deleter<&BN_clear_free>>;
using BnCtx = std::unique_ptr<BN_CTX, Deleter<&BN_CTX_free>>;
using MdCtx = std::unique_ptr<EVP_MD_CTX, Deleter<&EVP_MD_CTX_free>>;
using CipherCtx = std::unique_ptr<EVP_CIPHER_CTX, Deleter<&EVP_CIPHER_CTX_free>>;
using Pkey = std::unique_ptr<EVP_PKEY, Deleter<&EVP_PKEY_free>>;
using PkeyCtx = std::unique_ptr<EVP_PKEY_CTX, Deleter<&EVP_PKEY_CTX_free>>;
using Bio = std::unique_ptr<BIO, Deleter<&BIO_free>>;

}  // namespace bp::ossl
