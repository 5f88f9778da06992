#include "office/code93_addin.h"

#include "encoding/barcode_builder.h"
#include "encoding/code93.h"
#include "office/addin_functions.h"
#include "office/uno_text.h"

#include <com/sun/star/lang/IllegalArgumentException.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <org/stria/office/CannotEncodeException.hpp>
#include <variant>

namespace office {
namespace {

using css::uno::Reference;

constexpr char AddInServiceName[] = "com.sun.star.sheet.AddIn";

const AddInFunction& FunctionOf(const OUString& programmaticName) {
    if (const AddInFunction* function = FindAddInFunction(ToU16(programmaticName))) {
        return *function;
    }
    throw css::lang::IllegalArgumentException("no such function: " + programmaticName, {}, 0);
}

const AddInArgument* ArgumentOf(const OUString& programmaticName, sal_Int32 argument) {
    const AddInFunction& function = FunctionOf(programmaticName);
    if (argument < 0 || argument >= function.argumentCount) {
        return nullptr;
    }
    return &function.arguments[std::size_t(argument)];
}

// Calc shows it as #VALUE!.
[[noreturn]] void RefuseData(const OUString& message) {
    throw org::stria::office::CannotEncodeException(message, {});
}

// Calc shows it as Err:502, invalid argument.
[[noreturn]] void RefuseArgument(const OUString& message, sal_Int16 argument) {
    throw css::lang::IllegalArgumentException(message, {}, argument);
}

// The output text of the data; an empty text (an empty cell) stays empty.
OUString Encode(const OUString& data, bool withSums) {
    if (data.isEmpty()) {
        return {};
    }
    const code93::BuildResult built = code93::BuildBarcode(ToU16(data));
    if (const auto* refusal = std::get_if<code93::Refusal>(&built)) {
        RefuseData(ToOUString(refusal->message));
    }
    return ToOUString(code93::OutputText(std::get<code93::Barcode>(built), withSums));
}

} // namespace

OUString Code93AddIn::code93(const OUString& data) {
    return Encode(data, false);
}

OUString Code93AddIn::code93Sums(const OUString& data) {
    return Encode(data, true);
}

OUString Code93AddIn::code93Font(const OUString& style, const OUString& size) {
    const OUString lowerStyle = style.toAsciiLowerCase();
    const std::optional<code93::Style> faceStyle = code93::StyleNamed(ToU16(lowerStyle));
    if (!faceStyle) {
        RefuseArgument("Style must be \"hr\" or \"standard\", not \"" + style + "\"", 0);
    }
    const OUString letter = size.toAsciiLowerCase();
    if (letter.getLength() != 1 || !code93::IsSizeLetter(letter[0])) {
        RefuseArgument("Size must be one of a, b, c, d, e, f, not \"" + size + "\"", 1);
    }
    return ToOUString(code93::FaceName(*faceStyle, char16_t(letter[0])));
}

OUString Code93AddIn::getProgrammaticFuntionName(const OUString& displayName) {
    for (const AddInFunction& function : AddInFunctions) {
        if (displayName.equalsIgnoreAsciiCase(ToOUString(function.displayName))) {
            return ToOUString(function.method);
        }
    }
    return {};
}

OUString Code93AddIn::getDisplayFunctionName(const OUString& programmaticName) {
    return ToOUString(FunctionOf(programmaticName).displayName);
}

OUString Code93AddIn::getFunctionDescription(const OUString& programmaticName) {
    return ToOUString(FunctionOf(programmaticName).description);
}

OUString Code93AddIn::getDisplayArgumentName(const OUString& programmaticName, sal_Int32 argument) {
    const AddInArgument* found = ArgumentOf(programmaticName, argument);
    return found ? ToOUString(found->name) : OUString();
}

OUString Code93AddIn::getArgumentDescription(const OUString& programmaticName, sal_Int32 argument) {
    const AddInArgument* found = ArgumentOf(programmaticName, argument);
    return found ? ToOUString(found->description) : OUString();
}

OUString Code93AddIn::getProgrammaticCategoryName(const OUString&) {
    return "Text";
}

OUString Code93AddIn::getDisplayCategoryName(const OUString&) {
    return "Text";
}

void Code93AddIn::setLocale(const css::lang::Locale& locale) {
    locale_ = locale;
}

css::lang::Locale Code93AddIn::getLocale() {
    return locale_;
}

// The English name is the display name, so that files and the API read =CODE93() in any language.
css::uno::Sequence<css::sheet::LocalizedName>
Code93AddIn::getCompatibilityNames(const OUString& programmaticName) {
    const css::lang::Locale english("en", "US", "");
    const css::sheet::LocalizedName name(english,
                                         ToOUString(FunctionOf(programmaticName).displayName));
    return css::uno::Sequence<css::sheet::LocalizedName>(&name, 1);
}

OUString Code93AddIn::getServiceName() {
    return OUString(AddInImplementationName);
}

OUString Code93AddIn::getImplementationName() {
    return OUString(AddInImplementationName);
}

sal_Bool Code93AddIn::supportsService(const OUString& name) {
    return cppu::supportsService(this, name);
}

css::uno::Sequence<OUString> Code93AddIn::getSupportedServiceNames() {
    return AddInServiceNames();
}

css::uno::Sequence<OUString> AddInServiceNames() {
    const OUString names[] = {OUString(AddInServiceName), OUString(AddInImplementationName)};
    return css::uno::Sequence<OUString>(names, 2);
}

} // namespace office
