#include "game/qt/qt_ports.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMessageBox>
#include <QSettings>
#include <QString>
#include <QTime>

namespace tori {

void QtMenu::add(QAction* action) { actions[action->objectName().toStdString()] = action; }

QAction* QtMenu::action(const std::string& name) const
{
    auto it = actions.find(name);
    return it == actions.end() ? nullptr : it->second;
}

bool QtMenu::checked(const std::string& name) const
{
    QAction* a = action(name);
    return a && a->isChecked();
}

void QtMenu::setChecked(const std::string& name, bool on)
{
    if (QAction* a = action(name))
        a->setChecked(on);
}

namespace {

    // The game's texts break lines with carriage returns, as its version box does;
    // a Qt label only breaks at line feeds.
    QString boxText(const std::string& text)
    {
        QString s = QString::fromStdString(text);
        s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        s.replace(QLatin1Char('\r'), QLatin1Char('\n'));
        return s;
    }

} // namespace

void QtMessageBoxes::ok(const std::string& text, const std::string& title, Icon icon)
{
    QMessageBox box(icon == Icon::Exclamation ? QMessageBox::Warning : QMessageBox::NoIcon,
        QString::fromStdString(title), boxText(text), QMessageBox::Ok, parent);
    box.exec();
}

bool QtMessageBoxes::yesNo(const std::string& text, const std::string& title)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(title), boxText(text),
        QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() == QMessageBox::Yes;
}

std::string QtClipboard::text() const { return QGuiApplication::clipboard()->text().toStdString(); }

void QtClipboard::setText(const std::string& text)
{
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

double SystemTimeOfDay::秒() { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }

QtPreferences::QtPreferences(const std::string& path)
{
    if (!path.empty())
        file = std::make_unique<QSettings>(QString::fromStdString(path), QSettings::IniFormat);
}

QtPreferences::~QtPreferences() = default;

std::string QtPreferences::value(const std::string& key, const std::string& fallback) const
{
    if (!file) {
        const auto found = memory.find(key);
        return found == memory.end() ? fallback : found->second;
    }
    const QVariant v = file->value(QString::fromStdString(key));
    return v.isValid() ? v.toString().toStdString() : fallback;
}

void QtPreferences::setValue(const std::string& key, const std::string& value)
{
    if (!file) {
        memory[key] = value;
        return;
    }
    file->setValue(QString::fromStdString(key), QString::fromStdString(value));
    file->sync();
}

QtTimer::QtTimer(std::function<void()> tick)
{
    timer.setInterval(50);
    QObject::connect(&timer, &QTimer::timeout, std::move(tick));
}

void QtTimer::setEnabled(bool on)
{
    // Enabling a running timer must not push its next tick back.
    if (on && !timer.isActive())
        timer.start();
    else if (!on)
        timer.stop();
}

bool QtTimer::enabled() const { return timer.isActive(); }

} // namespace tori
