// The platform pieces the game's handlers need, made with Qt: the menu's check
// marks, message boxes, the clipboard, the time of day and the 50 ms clock
// timer.
#pragma once

#include "platform/clipboard.h"
#include "platform/menu.h"
#include "platform/message_boxes.h"
#include "platform/preferences.h"
#include "platform/time_of_day.h"
#include "platform/timer.h"

#include <QTimer>

#include <functional>
#include <map>
#include <memory>
#include <string>

class QAction;
class QSettings;
class QWidget;

namespace tori {

// The check marks live on the menu's own actions, found by their control names,
// so that what the player sees is the state of the options.
class QtMenu : public Menu {
public:
    void add(QAction* action); // under its objectName
    QAction* action(const std::string& name) const;

    bool checked(const std::string& name) const override;
    void setChecked(const std::string& name, bool on) override;

private:
    std::map<std::string, QAction*> actions;
};

class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(QWidget* parent)
        : parent(parent)
    {
    }
    void ok(const std::string& text, const std::string& title, Icon icon) override;
    bool yesNo(const std::string& text, const std::string& title) override;

private:
    QWidget* parent;
};

// The system clipboard's text.
class QtClipboard : public Clipboard {
public:
    std::string text() const override;
    void setText(const std::string& text) override;
};

// The wall clock, in seconds since local midnight.
class SystemTimeOfDay : public TimeOfDay {
public:
    double 秒() override;
};

// zr-torishogi.conf, read and written with QSettings in its INI format. With
// no path (no home folder) the choices last for the run only.
class QtPreferences : public Preferences {
public:
    explicit QtPreferences(const std::string& path);
    ~QtPreferences() override;
    std::string value(const std::string& key, const std::string& fallback) const override;
    void setValue(const std::string& key, const std::string& value) override;

private:
    std::unique_ptr<QSettings> file;
    std::map<std::string, std::string> memory;
};

// Timer1: calls `tick` every 50 ms while enabled.
class QtTimer : public Timer {
public:
    explicit QtTimer(std::function<void()> tick);
    void setEnabled(bool on) override;
    bool enabled() const override;

private:
    QTimer timer;
};

} // namespace tori
