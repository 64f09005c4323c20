// UTF-8 <-> wide text for the host's users (the command-line tool, the GDAL
// driver): what UTF-8 cannot carry becomes U+FFFD, never an exception. The
// rule is the text module's, shared with the plug-ins.
#pragma once

#include <string>

namespace host {

// Wide text to UTF-8; a UTF-16 pair counts as the character it encodes,
// lone surrogates and units past U+10FFFF become U+FFFD.
std::string toUtf8(const std::wstring& text);
// UTF-8 to wide text, one unit per character; each malformed byte (overlong
// forms and encoded surrogates included) becomes U+FFFD.
std::wstring fromUtf8(const std::string& text);

} // namespace host
