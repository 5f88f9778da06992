// The Calc add-in: =CODE93(Data), =CODE93SUMS(Data) and =CODE93FONT(Style; Size), computed by the
// program's own encoder. Data it cannot encode gives #VALUE!, a style or size it does not know
// Err:502.
#pragma once

#include "office/uno_text.h"

#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/lang/XServiceName.hpp>
#include <com/sun/star/sheet/XAddIn.hpp>
#include <com/sun/star/sheet/XCompatibilityNames.hpp>
#include <cppuhelper/implbase5.hxx>
#include <org/stria/office/XCode93Functions.hpp>

namespace office {

namespace css = com::sun::star;

inline constexpr char AddInImplementationName[] = "org.stria.office.Code93Functions";

class Code93AddIn
    : public cppu::WeakImplHelper5<org::stria::office::XCode93Functions, css::sheet::XAddIn,
                                   css::sheet::XCompatibilityNames, css::lang::XServiceName,
                                   css::lang::XServiceInfo> {
public:
    // XCode93Functions
    OUString SAL_CALL code93(const OUString& data) override;
    OUString SAL_CALL code93Sums(const OUString& data) override;
    OUString SAL_CALL code93Font(const OUString& style, const OUString& size) override;

    // XAddIn
    OUString SAL_CALL getProgrammaticFuntionName(const OUString& displayName) override;
    OUString SAL_CALL getDisplayFunctionName(const OUString& programmaticName) override;
    OUString SAL_CALL getFunctionDescription(const OUString& programmaticName) override;
    OUString SAL_CALL getDisplayArgumentName(const OUString& programmaticName,
                                             sal_Int32 argument) override;
    OUString SAL_CALL getArgumentDescription(const OUString& programmaticName,
                                             sal_Int32 argument) override;
    OUString SAL_CALL getProgrammaticCategoryName(const OUString& programmaticName) override;
    OUString SAL_CALL getDisplayCategoryName(const OUString& programmaticName) override;

    // XLocalizable
    void SAL_CALL setLocale(const css::lang::Locale& locale) override;
    css::lang::Locale SAL_CALL getLocale() override;

    // XCompatibilityNames
    css::uno::Sequence<css::sheet::LocalizedName>
        SAL_CALL getCompatibilityNames(const OUString& programmaticName) override;

    // XServiceName, XServiceInfo
    OUString SAL_CALL getServiceName() override;
    OUString SAL_CALL getImplementationName() override;
    sal_Bool SAL_CALL supportsService(const OUString& name) override;
    css::uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override;

private:
    css::lang::Locale locale_;
};

css::uno::Sequence<OUString> AddInServiceNames();

} // namespace office
