// Between LibreOffice's strings and the encoder's: both are UTF-16, so nothing is converted.
#pragma once

#include <rtl/ustring.hxx>
#include <string>
#include <string_view>

namespace office {

using rtl::OUString;

inline std::u16string_view ToU16(const OUString& text) {
    return {reinterpret_cast<const char16_t*>(text.getStr()), std::size_t(text.getLength())};
}

inline OUString ToOUString(std::u16string_view text) {
    return OUString(reinterpret_cast<const sal_Unicode*>(text.data()), sal_Int32(text.size()));
}

} // namespace office
