#pragma once
// Holds the desktop's screen saver off while a slide show runs, through the session bus's
// org.freedesktop.ScreenSaver service. Without a bus or without the service nothing happens:
// the show runs all the same.

#include <QDBusConnection>
#include <QObject>
#include <QString>

#include <optional>

namespace lv {

inline constexpr char kScreenSaverService[] = "org.freedesktop.ScreenSaver";
inline constexpr char kScreenSaverPath[] = "/org/freedesktop/ScreenSaver";

class ScreenSaverInhibitor final : public QObject {
public:
    explicit ScreenSaverInhibitor(QDBusConnection bus, QObject* parent = nullptr);
    ~ScreenSaverInhibitor() override;

    // Asks without waiting for the answer, so a slow or absent service never holds up the show.
    void inhibit(const QString& reason);
    // Gives the hold back, also one granted only after this call or after this object is gone.
    void release();

    // The service granted the hold and it is kept.
    bool holding() const { return cookie_.has_value(); }

private:
    QDBusConnection bus_;
    bool wanted_ = false;
    std::optional<uint> cookie_;
};

}  // namespace lv
