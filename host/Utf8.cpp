#include <gnssimport/host/Utf8.h>

#include <gnssimport/text/Utf8.h>

namespace host {

std::string toUtf8(const std::wstring& text) { return text::toUtf8(text, text::OnInvalid::Replace); }

std::wstring fromUtf8(const std::string& text)
{
    return text::fromUtf8(text, text::WideForm::Utf32, text::OnInvalid::Replace);
}

} // namespace host
