// What the fuzz targets share: a check that stops the run with the failed condition, and the
// Qt application that fonts and text documents need.
#pragma once

#include <QGuiApplication>
#include <cstdio>
#include <cstdlib>

[[noreturn]] inline void FuzzCheckFailed(const char* condition, const char* file, int line) {
    std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
    std::abort();
}

#define FUZZ_CHECK(condition)                                                                      \
    ((condition) ? void(0) : FuzzCheckFailed(#condition, __FILE__, __LINE__))

// A QGuiApplication on the offscreen platform for the whole run.
inline void StartGuiApplication() {
    if (QGuiApplication::instance() != nullptr) {
        return;
    }
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    static int argc = 1;
    static char name[] = "stria-fuzz";
    static char* argv[] = {name, nullptr};
    new QGuiApplication(argc, argv);
}
