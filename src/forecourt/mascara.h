// Display masks of the micro-terminal answers and of the cheque documents.
#pragma once

#include <string>
#include <string_view>

namespace bp::forecourt {

// `texto` under `mascara`: each '@' is the place of one character and every
// other character of the mask is shown as it stands. A mask beginning with
// '!' fills its places from the left (the '!' is not shown); any other mask
// fills them from the right, the last character in the last place. Places
// without a character show a blank. Characters beyond the places are not
// lost: from the left they follow the mask, from the right they precede it.
std::string AplicarMascara(std::string_view texto, std::string_view mascara);

}  // namespace bp::forecourt
