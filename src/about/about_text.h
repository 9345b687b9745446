// The text of the about window.
#pragma once

#include <string>

namespace quillaro {

// The whole about and usage text, its lines joined and ended by CR LF.
std::u16string about_text();

}  // namespace quillaro
