// The shared library's entry point: LibreOffice asks it for the factories of its two
// implementations, named in stria93.components.
#include "office/code93_addin.h"
#include "office/make_barcode_handler.h"
#include "office/uno_text.h"

#include <com/sun/star/uno/XComponentContext.hpp>
#include <cppuhelper/factory.hxx>
#include <cppuhelper/implementationentry.hxx>

namespace {

namespace css = com::sun::star;

css::uno::Reference<css::uno::XInterface>
CreateAddIn(const css::uno::Reference<css::uno::XComponentContext>&) {
    return static_cast<cppu::OWeakObject*>(new office::Code93AddIn);
}

css::uno::Reference<css::uno::XInterface>
CreateHandler(const css::uno::Reference<css::uno::XComponentContext>& context) {
    return static_cast<cppu::OWeakObject*>(new office::MakeBarcodeHandler(context));
}

rtl::OUString AddInName() {
    return rtl::OUString(office::AddInImplementationName);
}

rtl::OUString HandlerName() {
    return rtl::OUString(office::HandlerImplementationName);
}

const cppu::ImplementationEntry Entries[] = {
    {CreateAddIn, AddInName, office::AddInServiceNames, cppu::createSingleComponentFactory, nullptr,
     0},
    {CreateHandler, HandlerName, office::HandlerServiceNames, cppu::createSingleComponentFactory,
     nullptr, 0},
    {nullptr, nullptr, nullptr, nullptr, nullptr, 0},
};

} // namespace

extern "C" SAL_DLLPUBLIC_EXPORT void*
component_getFactory(const char* implementationName, void* serviceManager, void* registryKey) {
    return cppu::component_getFactoryHelper(implementationName, serviceManager, registryKey,
                                            Entries);
}
