#include "bp/erro.h"

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <typeinfo>
#include <variant>

#include <fmt/format.h>

namespace bp {

Erro::Erro(int32_t number_, std::string description_, std::string source_,
           std::string help_file_, int32_t help_context_, int32_t last_dll_error_)
    : number(number_),
      description(std::move(description_)),
      source(std::move(source_)),
      help_file(std::move(help_file_)),
      help_context(help_context_),
      last_dll_error(last_dll_error_) {}

const char* RuntimeText(int32_t number) {
  switch (number) {
    case rt::kInvalidProcedureCall: return "Invalid procedure call or argument";
    case rt::kOverflow: return "Overflow";
    case rt::kOutOfMemory: return "Out of memory";
    case rt::kSubscriptOutOfRange: return "Subscript out of range";
    case rt::kDivisionByZero: return "Division by zero";
    case rt::kTypeMismatch: return "Type mismatch";
    case rt::kInternalError: return "Internal error";
    case rt::kBadFileNameOrNumber: return "Bad file name or number";
    case rt::kFileNotFound: return "File not found";
    case rt::kFileAlreadyOpen: return "File already open";
    case rt::kDeviceIoError: return "Device I/O error";
    case rt::kDiskFull: return "Disk full";
    case rt::kInputPastEndOfFile: return "Input past end of file";
    case rt::kPermissionDenied: return "Permission denied";
    case rt::kPathFileAccessError: return "Path/File access error";
    case rt::kPathNotFound: return "Path not found";
    case rt::kObjectNotSet: return "Object variable or With block variable not set";
    case rt::kInvalidUseOfNull: return "Invalid use of Null";
    case rt::kInvalidPropertyValue: return "Invalid property value";
    case rt::kObjectRequired: return "Object required";
    case rt::kCantCreateObject: return "ActiveX component can't create object";
    case rt::kMemberNotSupported: return "Object doesn't support this property or method";
    case rt::kNoCurrentRecord:
      return "Either BOF or EOF is True, or the current record has been deleted. "
             "Requested operation requires a current record.";
    case rt::kItemNotFound:
      return "Item cannot be found in the collection corresponding to the requested "
             "name or ordinal.";
    case rt::kObjectClosed: return "Operation is not allowed when the object is closed.";
    case rt::kConnectionUnusable:
      return "The connection cannot be used to perform this operation. It is either "
             "closed or invalid in this context.";
    default: return "";
  }
}

Erro RuntimeErro(int32_t number, const std::string& detail) {
  std::string text = RuntimeText(number);
  if (text.empty()) text = fmt::format("Application-defined or object-defined error {}", number);
  if (!detail.empty()) text += " (" + detail + ")";
  const bool provider = number == rt::kObjectClosed || number == rt::kConnectionUnusable ||
                        number == rt::kNoCurrentRecord || number == rt::kItemNotFound;
  return Erro(number, std::move(text), provider ? "ADODB.Connection" : kProjectName);
}

void RaiseRuntime(int32_t number, const std::string& detail) {
  throw RuntimeErro(number, detail);
}

namespace {

Erro FromFilesystem(const std::filesystem::filesystem_error& e) {
  const auto code = e.code();
  int32_t number = rt::kPathFileAccessError;
  if (code == std::errc::no_such_file_or_directory) number = rt::kPathNotFound;
  else if (code == std::errc::permission_denied || code == std::errc::operation_not_permitted)
    number = rt::kPermissionDenied;
  else if (code == std::errc::no_space_on_device) number = rt::kDiskFull;
  else if (code == std::errc::io_error) number = rt::kDeviceIoError;
  return RuntimeErro(number, e.path1().string());
}

}  // namespace

Erro ToErro(std::exception_ptr failure) {
  if (!failure) return RuntimeErro(rt::kInternalError);
  try {
    std::rethrow_exception(failure);
  } catch (const Erro& e) {
    return e;
  } catch (const std::filesystem::filesystem_error& e) {
    return FromFilesystem(e);
  } catch (const std::overflow_error&) {
    return RuntimeErro(rt::kOverflow);
  } catch (const std::underflow_error&) {
    return RuntimeErro(rt::kOverflow);
  } catch (const std::range_error&) {
    return RuntimeErro(rt::kOverflow);
  } catch (const std::out_of_range&) {
    return RuntimeErro(rt::kSubscriptOutOfRange);
  } catch (const std::invalid_argument&) {
    return RuntimeErro(rt::kTypeMismatch);
  } catch (const std::bad_variant_access&) {
    return RuntimeErro(rt::kTypeMismatch);
  } catch (const std::bad_cast&) {
    return RuntimeErro(rt::kTypeMismatch);
  } catch (const std::bad_function_call&) {
    return RuntimeErro(rt::kObjectNotSet);
  } catch (const std::bad_alloc&) {
    return RuntimeErro(rt::kOutOfMemory);
  } catch (const std::logic_error&) {
    return RuntimeErro(rt::kInvalidProcedureCall);
  } catch (const std::exception& e) {
    return Erro(rt::kInternalError, e.what(), kProjectName);
  } catch (...) {
    return RuntimeErro(rt::kInternalError);
  }
}

std::string HexNumber(int32_t number) {
  return fmt::format("0x{:08X}", static_cast<uint32_t>(number));
}

}  // namespace bp
