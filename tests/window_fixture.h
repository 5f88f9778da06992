// A main window on the recording platform with its own documents folder, so that window tests
// read and write a settings file of their own and never reach the desktop.
#pragma once

#include "main/stria_input.h"
#include "platform/recording_platform.h"
#include "settings/data_folder.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

struct WindowFixture {
    QTemporaryDir documents;
    platform::RecordingPlatform desktop;
    std::unique_ptr<TStriaInput> window;

    // The data folder exists and holds the given settings file; an empty text writes no file.
    explicit WindowFixture(const QByteArray& settingsText = {}, bool withDataFolder = true) {
        desktop.setDocumentsFolder(documents.path());
        if (withDataFolder || !settingsText.isEmpty()) {
            writeSettingsFile(settingsText);
        }
        window = std::make_unique<TStriaInput>(desktop);
    }

    QString dataFolder() const { return settings::DataFolder(documents.path()); }
    QString settingsPath() {
        return dataFolder() + settings::SettingsFileName(desktop.programFileName());
    }

    // The data folder, holding the settings file unless the text is empty.
    void writeSettingsFile(const QByteArray& settingsText) {
        QDir().mkpath(dataFolder());
        QFile file(settingsPath());
        if (!settingsText.isEmpty() && file.open(QIODevice::WriteOnly)) {
            file.write(settingsText);
        }
    }

    // A new window on the same desktop and documents, as the next run of the program sees them.
    TStriaInput& reopen() {
        window = std::make_unique<TStriaInput>(desktop);
        return *window;
    }

    // A successful Make of the data, as the user would click it.
    static void Make(TStriaInput& window, const QString& data) {
        window.BarTextInput->setText(data);
        window.MakeButtonClick->click();
        QVERIFY(window.made());
    }

    // The start-up routine, with its requests forgotten.
    void startUp() {
        window->FormActivate();
        desktop.clear();
    }
};
