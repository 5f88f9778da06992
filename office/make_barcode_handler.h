// Writer's "Make Barcode from Selection": a protocol handler for the menu entry and the toolbar
// button of Addons.xcu. The selected text becomes its barcode string, set in the typeface and
// point size of the program's current options, in one step of the document's undo.
#pragma once

#include "office/uno_text.h"

#include <com/sun/star/frame/XDispatch.hpp>
#include <com/sun/star/frame/XDispatchProvider.hpp>
#include <com/sun/star/frame/XFrame.hpp>
#include <com/sun/star/lang/XInitialization.hpp>
#include <com/sun/star/lang/XServiceInfo.hpp>
#include <com/sun/star/text/XTextRange.hpp>
#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/implbase4.hxx>
#include <vector>

namespace office {

namespace css = com::sun::star;

inline constexpr char HandlerImplementationName[] = "org.stria.office.MakeBarcodeHandler";

class MakeBarcodeHandler
    : public cppu::WeakImplHelper4<css::frame::XDispatchProvider, css::frame::XDispatch,
                                   css::lang::XInitialization, css::lang::XServiceInfo> {
public:
    explicit MakeBarcodeHandler(css::uno::Reference<css::uno::XComponentContext> context);

    // XInitialization: the frame the handler serves.
    void SAL_CALL initialize(const css::uno::Sequence<css::uno::Any>& arguments) override;

    // XDispatchProvider
    css::uno::Reference<css::frame::XDispatch>
        SAL_CALL queryDispatch(const css::util::URL& url, const OUString& targetFrameName,
                               sal_Int32 searchFlags) override;
    css::uno::Sequence<css::uno::Reference<css::frame::XDispatch>> SAL_CALL
    queryDispatches(const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) override;

    // XDispatch
    void SAL_CALL dispatch(const css::util::URL& url,
                           const css::uno::Sequence<css::beans::PropertyValue>& arguments) override;
    void SAL_CALL
    addStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                      const css::util::URL& url) override;
    void SAL_CALL
    removeStatusListener(const css::uno::Reference<css::frame::XStatusListener>& listener,
                         const css::util::URL& url) override;

    // XServiceInfo
    OUString SAL_CALL getImplementationName() override;
    sal_Bool SAL_CALL supportsService(const OUString& name) override;
    css::uno::Sequence<OUString> SAL_CALL getSupportedServiceNames() override;

private:
    std::vector<css::uno::Reference<css::text::XTextRange>> selectedRanges() const;
    void makeBarcodes(const std::vector<css::uno::Reference<css::text::XTextRange>>& ranges);
    void tell(const OUString& message) const;

    css::uno::Reference<css::uno::XComponentContext> context_;
    css::uno::Reference<css::frame::XFrame> frame_;
};

css::uno::Sequence<OUString> HandlerServiceNames();

} // namespace office
