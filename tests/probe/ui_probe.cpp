// Opens every window of the game on whatever screen and scale it is started with (in English with
// --english), and reports where each window lies, its size in device pixels, whether it scrolls,
// which of its controls cannot be brought whole into view, and which texts it shows whole.
#include "fakes/fake_dialogs.h"
#include "fakes/fake_random.h"
#include "fakes/memory_store.h"
#include "records/autosave.h"
#include "session/saver.h"
#include "ui/about_window.h"
#include "ui/artwork.h"
#include "ui/hall_of_fame_window.h"
#include "ui/language.h"
#include "ui/main_window.h"
#include "ui/window_look.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTextStream>

#include <algorithm>
#include <cstdlib>

namespace {

// Whether the control shows its text whole: every line of it inside the space it draws in.
std::optional<bool> textWhole(QWidget* widget)
{
    const QFontMetrics metrics(widget->font(), widget);
    if (auto* button = qobject_cast<ui::PictureButton*>(widget)) {
        if (button->caption().isEmpty()) {
            return std::nullopt;
        }
        const QRect room = button->rect().adjusted(2, 2, -2, -2);
        return room.contains(
            metrics.boundingRect(room, Qt::AlignHCenter | Qt::TextWordWrap, button->caption()));
    }
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        if (label->text().trimmed().isEmpty()) {
            return std::nullopt;
        }
        const int margin = label->margin();
        const QRect room = label->contentsRect().adjusted(margin, margin, -margin, -margin);
        const int wrap = label->wordWrap() ? int(Qt::TextWordWrap) : 0;
        return room.contains(
            metrics.boundingRect(room, int(label->alignment()) | wrap, label->text()));
    }
    if (auto* option = qobject_cast<QRadioButton*>(widget)) {
        const QSize need = option->sizeHint();
        return need.width() <= option->width() && need.height() <= option->height();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        QString text = button->text();
        text.remove(QLatin1Char('&'));
        return metrics.horizontalAdvance(text) <= button->contentsRect().width() &&
               metrics.height() <= button->contentsRect().height();
    }
    if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
        return metrics.horizontalAdvance(frame->title()) < frame->width();
    }
    return std::nullopt;
}

// The controls of a window's client area that no scrolling brings whole into view.
QJsonArray outOfReach(ui::ClientArea* area)
{
    QJsonArray names;
    for (QWidget* control : area->widget()->findChildren<QWidget*>()) {
        // What the player reads or uses: the controls that hold no others.
        const bool holdsOthers = std::any_of(
            control->children().cbegin(), control->children().cend(), [](const QObject* child) {
                return child->isWidgetType() && !static_cast<const QWidget*>(child)->isHidden();
            });
        if (!control->isVisibleTo(area->widget()) || holdsOthers) {
            continue;
        }
        area->bringIntoView(control);
        const QRect shown(control->mapTo(area->viewport(), QPoint(0, 0)), control->size());
        if (!area->viewport()->rect().contains(shown)) {
            names.append(control->objectName());
        }
    }
    area->horizontalScrollBar()->setValue(0);
    area->verticalScrollBar()->setValue(0);
    return names;
}

// The controls that the keyboard reaches (Tab, and the arrows within a group) but leaves out of
// view: each must be whole in the area when it takes the focus.
QJsonArray outOfViewByKeys(QWidget* window, ui::ClientArea* area)
{
    QJsonArray names;
    // A window whose controls take no focus (the producer window) has nothing to reach by keys,
    // and closes at the first.
    const QList<QWidget*> controls = area->widget()->findChildren<QWidget*>();
    if (std::none_of(controls.cbegin(), controls.cend(), [](const QWidget* control) {
            return control->focusPolicy() & Qt::TabFocus;
        })) {
        return names;
    }
    window->activateWindow();
    if (!QTest::qWaitForWindowActive(window)) {
        return QJsonArray{QStringLiteral("not active")};
    }
    const auto check = [&](QWidget* focused) {
        if (focused == nullptr) {
            names.append(QStringLiteral("no focus"));
            return;
        }
        const QRect shown(focused->mapTo(area->viewport(), QPoint(0, 0)), focused->size());
        if (area->widget()->isAncestorOf(focused) && !area->viewport()->rect().contains(shown) &&
            !names.contains(focused->objectName())) {
            names.append(focused->objectName());
        }
    };
    for (int tab = 0; tab < 12 && QApplication::focusWidget() != nullptr; ++tab) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        check(QApplication::focusWidget());
        for (int arrow = 0; arrow < 20; ++arrow) {
            QWidget* before = QApplication::focusWidget();
            if (before == nullptr) {
                break;
            }
            QTest::keyClick(before, Qt::Key_Down);
            if (QApplication::focusWidget() == before) {
                break;
            }
            check(QApplication::focusWidget());
        }
    }
    return names;
}

} // namespace

int main(int argc, char** argv)
{
    if (std::getenv("QT_QPA_PLATFORM") == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    ui::installFontSubstitutions();
    ui::useGameStyle();
    ui::Language language;
    if (QCoreApplication::arguments().contains(QStringLiteral("--english"))) {
        language.apply(ui::Language::Choice::English);
    }

    // A game whose numbers are longer than their cells, and a Hall of Fame with two winners.
    game::GameState state = game::startingState();
    state.companies[0].price = "999999999999999";
    state.companies[1].yesterday = "332,123456789";
    state.companies[2].price = "1,79769313486231E+308";
    state.cash = "1,79769313486231E+308";
    fakes::MemoryStore store;
    for (const auto& file : records::autosaveFiles(state, records::WriteOrder::DataFirst)) {
        store.put(file.name, file.bytes);
    }
    store.put("data6", "\"\rAnna:  01 Gen 2002\rBruno:  02 Gen 2002\"\r\n");
    fakes::FakeDialogs dialogs;
    fakes::FakeRandom random;
    session::Saver saver{store, dialogs, session::Saver::Run::ByHand};
    session::Session session(store, dialogs, random, saver);

    ui::Form1::Seams seams;
    seams.quit = [] {};
    ui::Form1 form(session, seams);
    form.show();
    form.hall_Click();
    form.infoprogr_Click();
    form.infoproduttor_Click();
    QCoreApplication::processEvents();

    // {"available": [x, y, w, h], "windows": {name: {"frame": [...], "client": [...],
    // "device": [w, h], "scrolls": bool, "outOfReach": [names]}},
    // "whole": {"window/control": true or false}}
    const auto numbers = [](const QRect& r) {
        return QJsonArray{r.x(), r.y(), r.width(), r.height()};
    };
    QJsonObject windows;
    QJsonObject whole;
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (!window->isVisible() || window->objectName().isEmpty()) {
            continue;
        }
        const QSize device = window->grab().size();
        auto* area = window->findChild<ui::ClientArea*>();
        windows[window->objectName()] = QJsonObject{
            {QStringLiteral("frame"), numbers(window->frameGeometry())},
            {QStringLiteral("client"), numbers(window->geometry())},
            {QStringLiteral("device"), QJsonArray{device.width(), device.height()}},
            {QStringLiteral("scrolls"), area != nullptr && area->scrolls()},
            {QStringLiteral("keysOutOfView"),
             area != nullptr && area->scrolls() ? outOfViewByKeys(window, area) : QJsonArray()},
            {QStringLiteral("outOfReach"),
             area != nullptr ? outOfReach(area) : QJsonArray{QStringLiteral("area")}}};
        for (QWidget* control : window->findChildren<QWidget*>()) {
            const std::optional<bool> shown = textWhole(control);
            if (control->isVisibleTo(window) && shown) {
                whole[window->objectName() + QLatin1Char('/') + control->objectName()] = *shown;
            }
        }
    }
    const QJsonObject report{
        {QStringLiteral("available"), numbers(form.screen()->availableGeometry())},
        {QStringLiteral("windows"), windows},
        {QStringLiteral("whole"), whole}};
    QTextStream(stdout) << QJsonDocument(report).toJson();
    return 0;
}
