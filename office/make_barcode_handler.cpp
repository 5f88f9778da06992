#include "office/make_barcode_handler.h"

#include "encoding/barcode_builder.h"
#include "office/current_face.h"
#include "office/uno_text.h"

#include <com/sun/star/awt/MessageBoxButtons.hpp>
#include <com/sun/star/awt/Toolkit.hpp>
#include <com/sun/star/awt/XMessageBox.hpp>
#include <com/sun/star/beans/XPropertySet.hpp>
#include <com/sun/star/container/XIndexAccess.hpp>
#include <com/sun/star/document/XUndoManagerSupplier.hpp>
#include <com/sun/star/frame/FeatureStateEvent.hpp>
#include <com/sun/star/frame/XController.hpp>
#include <com/sun/star/frame/XModel.hpp>
#include <com/sun/star/frame/XStatusListener.hpp>
#include <com/sun/star/text/XText.hpp>
#include <com/sun/star/text/XTextCursor.hpp>
#include <com/sun/star/view/XSelectionSupplier.hpp>
#include <cppuhelper/supportsservice.hxx>
#include <variant>

namespace office {
namespace {

using css::uno::Reference;
using css::uno::UNO_QUERY;

constexpr char Protocol[] = "org.stria.office.barcode:";
constexpr char MakeBarcodeCommand[] = "MakeBarcode";
constexpr char ProtocolHandlerService[] = "com.sun.star.frame.ProtocolHandler";

bool IsMakeBarcode(const css::util::URL& url) {
    return url.Protocol == OUString(Protocol) && url.Path == OUString(MakeBarcodeCommand);
}

} // namespace

MakeBarcodeHandler::MakeBarcodeHandler(Reference<css::uno::XComponentContext> context)
    : context_(std::move(context)) {}

void MakeBarcodeHandler::initialize(const css::uno::Sequence<css::uno::Any>& arguments) {
    if (arguments.hasElements()) {
        arguments[0] >>= frame_;
    }
}

Reference<css::frame::XDispatch> MakeBarcodeHandler::queryDispatch(const css::util::URL& url,
                                                                   const OUString&, sal_Int32) {
    return IsMakeBarcode(url) ? this : nullptr;
}

css::uno::Sequence<Reference<css::frame::XDispatch>> MakeBarcodeHandler::queryDispatches(
    const css::uno::Sequence<css::frame::DispatchDescriptor>& requests) {
    css::uno::Sequence<Reference<css::frame::XDispatch>> dispatches(requests.getLength());
    auto* out = dispatches.getArray();
    for (sal_Int32 i = 0; i < requests.getLength(); ++i) {
        out[i] =
            queryDispatch(requests[i].FeatureURL, requests[i].FrameName, requests[i].SearchFlags);
    }
    return dispatches;
}

void MakeBarcodeHandler::dispatch(const css::util::URL& url,
                                  const css::uno::Sequence<css::beans::PropertyValue>&) {
    if (!IsMakeBarcode(url) || !frame_.is()) {
        return;
    }
    const std::vector<Reference<css::text::XTextRange>> ranges = selectedRanges();
    if (ranges.empty()) {
        tell("Select the text to make a barcode of, then choose Make Barcode from Selection.");
        return;
    }
    makeBarcodes(ranges);
}

// The selected pieces of text that hold something; none when the selection is not text.
std::vector<Reference<css::text::XTextRange>> MakeBarcodeHandler::selectedRanges() const {
    const Reference<css::view::XSelectionSupplier> supplier(frame_->getController(), UNO_QUERY);
    if (!supplier.is()) {
        return {};
    }
    const Reference<css::container::XIndexAccess> selection(supplier->getSelection(), UNO_QUERY);
    std::vector<Reference<css::text::XTextRange>> ranges;
    for (sal_Int32 i = 0; selection.is() && i < selection->getCount(); ++i) {
        const Reference<css::text::XTextRange> range(selection->getByIndex(i), UNO_QUERY);
        if (range.is() && !range->getString().isEmpty()) {
            ranges.push_back(range);
        }
    }
    return ranges;
}

// Every piece is checked before any changes, so that a refusal leaves the whole text as it was.
void MakeBarcodeHandler::makeBarcodes(const std::vector<Reference<css::text::XTextRange>>& ranges) {
    std::vector<OUString> barcodes;
    for (const Reference<css::text::XTextRange>& range : ranges) {
        const code93::BuildResult built = code93::BuildBarcode(ToU16(range->getString()));
        if (const auto* refusal = std::get_if<code93::Refusal>(&built)) {
            tell(ToOUString(refusal->message));
            return;
        }
        barcodes.push_back(ToOUString(std::get<code93::Barcode>(built).barcodeString));
    }
    const CurrentFace face = ReadCurrentFace();
    const Reference<css::document::XUndoManagerSupplier> undo(frame_->getController()->getModel(),
                                                              css::uno::UNO_QUERY_THROW);
    undo->getUndoManager()->enterUndoContext("Make Barcode");
    try {
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            const Reference<css::text::XTextCursor> cursor =
                ranges[i]->getText()->createTextCursorByRange(ranges[i]);
            cursor->setString(barcodes[i]);
            const Reference<css::beans::XPropertySet> properties(cursor, css::uno::UNO_QUERY_THROW);
            properties->setPropertyValue("CharFontName", css::uno::Any(ToOUString(face.faceName)));
            properties->setPropertyValue("CharHeight", css::uno::Any(float(face.points)));
        }
    } catch (...) {
        undo->getUndoManager()->leaveUndoContext();
        throw;
    }
    undo->getUndoManager()->leaveUndoContext();
}

void MakeBarcodeHandler::tell(const OUString& message) const {
    const Reference<css::awt::XWindowPeer> parent(frame_->getContainerWindow(), UNO_QUERY);
    const Reference<css::awt::XToolkit2> toolkit = css::awt::Toolkit::create(context_);
    const Reference<css::awt::XMessageBox> box = toolkit->createMessageBox(
        parent, css::awt::MessageBoxType_WARNINGBOX, css::awt::MessageBoxButtons::BUTTONS_OK,
        "Code 93 Barcode", message);
    box->execute();
}

// The command is always available; Writer asks before it enables the menu entry and button.
void MakeBarcodeHandler::addStatusListener(const Reference<css::frame::XStatusListener>& listener,
                                           const css::util::URL& url) {
    if (listener.is() && IsMakeBarcode(url)) {
        css::frame::FeatureStateEvent state;
        state.FeatureURL = url;
        state.IsEnabled = true;
        state.Source = static_cast<css::frame::XDispatch*>(this);
        listener->statusChanged(state);
    }
}

void MakeBarcodeHandler::removeStatusListener(const Reference<css::frame::XStatusListener>&,
                                              const css::util::URL&) {}

OUString MakeBarcodeHandler::getImplementationName() {
    return OUString(HandlerImplementationName);
}

sal_Bool MakeBarcodeHandler::supportsService(const OUString& name) {
    return cppu::supportsService(this, name);
}

css::uno::Sequence<OUString> MakeBarcodeHandler::getSupportedServiceNames() {
    return HandlerServiceNames();
}

css::uno::Sequence<OUString> HandlerServiceNames() {
    const OUString name(ProtocolHandlerService);
    return css::uno::Sequence<OUString>(&name, 1);
}

} // namespace office
