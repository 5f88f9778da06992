// What is drawn for a text, checked as a reader sees it: where a widget draws its text, and the
// lowest contrast of that text against what lies right behind it.
#pragma once

#include <QAbstractButton>
#include <QCheckBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <optional>

// Where the button draws its text (and its icon), in its own coordinates.
inline QRect ButtonTextRoom(QAbstractButton* button) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    option.icon = button->icon();
    option.iconSize = button->iconSize();
    QStyle::SubElement contents = QStyle::SE_PushButtonContents;
    if (qobject_cast<QCheckBox*>(button)) {
        contents = QStyle::SE_CheckBoxContents;
    } else if (qobject_cast<QRadioButton*>(button)) {
        contents = QStyle::SE_RadioButtonContents;
    } else if (auto* push = qobject_cast<QPushButton*>(button)) {
        option.features.setFlag(QStyleOptionButton::Flat, push->isFlat());
        option.features.setFlag(QStyleOptionButton::AutoDefaultButton, push->autoDefault());
    }
    return button->style()->subElementRect(contents, &option, button);
}

// Where the widget draws a text, in its window's coordinates; empty where it shows none.
inline QRect TextArea(QWidget* widget) {
    QRect area;
    if (auto* label = qobject_cast<QLabel*>(widget); label && !label->text().isEmpty()) {
        area = label->contentsRect();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget);
               button && !button->text().isEmpty()) {
        area = ButtonTextRoom(button);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget); group && !group->title().isEmpty()) {
        QStyleOptionGroupBox option;
        option.initFrom(group);
        option.text = group->title();
        option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
        area = group->style()->subControlRect(QStyle::CC_GroupBox, &option,
                                              QStyle::SC_GroupBoxLabel, group);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget); line && !line->text().isEmpty()) {
        area = line->contentsRect();
    } else if (auto* rich = qobject_cast<QTextEdit*>(widget);
               rich && !rich->document()->isEmpty()) {
        area = rich->viewport()->geometry();
    } else if (auto* plain = qobject_cast<QPlainTextEdit*>(widget);
               plain && !plain->document()->isEmpty()) {
        area = plain->viewport()->geometry();
    }
    return area.isEmpty() ? QRect() : area.translated(widget->mapTo(widget->window(), QPoint()));
}

// The two colours' contrast ratio as the readability guidelines define it, 1 to 21.
inline double ContrastRatio(QRgb a, QRgb b) {
    const auto luminance = [](QRgb rgb) {
        const auto linear = [](int channel) {
            const double c = channel / 255.0;
            return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(qRed(rgb)) + 0.7152 * linear(qGreen(rgb)) +
               0.0722 * linear(qBlue(rgb));
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast of a text against what lies right behind it. The window is drawn as it
// is (shown), and with every text black and white: where those two differ the text covers the
// pixel, and where they differ most it shows its own colour.
inline double LowestTextContrast(const QImage& shown, const QImage& black, const QImage& white,
                                 QRect area) {
    area &= shown.rect();
    const auto coverage = [&](int x, int y) {
        const QRgb b = black.pixel(x, y);
        const QRgb w = white.pixel(x, y);
        return std::max({qRed(w) - qRed(b), qGreen(w) - qGreen(b), qBlue(w) - qBlue(b)});
    };
    int most = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            most = std::max(most, coverage(x, y));
        }
    }
    if (most == 0) {
        return 0; // the text does not show at all
    }
    // The nearest pixel the text leaves alone: what the text stands on there.
    const auto behind = [&](int x, int y) -> std::optional<QRgb> {
        for (int reach = 1; reach <= 8; ++reach) {
            for (int dy = -reach; dy <= reach; ++dy) {
                for (int dx = -reach; dx <= reach; ++dx) {
                    const QPoint near(x + dx, y + dy);
                    if ((std::abs(dx) == reach || std::abs(dy) == reach) && area.contains(near) &&
                        coverage(near.x(), near.y()) == 0) {
                        return shown.pixel(near);
                    }
                }
            }
        }
        return std::nullopt;
    };
    double lowest = 21;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (coverage(x, y) * 10 >= most * 9) {
                if (const std::optional<QRgb> background = behind(x, y)) {
                    lowest = std::min(lowest, ContrastRatio(shown.pixel(x, y), *background));
                }
            }
        }
    }
    return lowest;
}

// Every text of these widgets in one colour, whatever colours each was given.
inline void ColourTexts(const QList<QWidget*>& widgets, QColor colour) {
    for (QWidget* widget : widgets) {
        QPalette palette = widget->palette();
        for (QPalette::ColorRole role :
             {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
            palette.setColor(role, colour);
        }
        widget->setPalette(palette);
    }
}

// A dark colour scheme as desktops offer it: light texts on dark grey.
inline QPalette DarkPalette() {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(35, 35, 35));
    dark.setColor(QPalette::Highlight, QColor(42, 130, 218));
    dark.setColor(QPalette::HighlightedText, QColor(35, 35, 35));
    return dark;
}
