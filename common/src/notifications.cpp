// The desktop's notifications: through its notification service (org.freedesktop.Notifications
// on the session bus), whose notifications can carry answers, or else a panel icon's bubble.
#include <QApplication>
#include <QObject>
#include <algorithm>
#include <map>

#include "common/panel.h"
#include "common/panel_hooks.h"
#include "encoding.h"
#include "native_window.h"
#include "panel_icon.h"

#if defined(KEZ_HAS_DBUS)
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QFileInfo>
#include <QStringList>
#include <QVariantMap>
#endif

namespace common {

namespace {

constexpr std::size_t NOTIFICATIONS_KEPT = 200;

// A notification with answers, by the number the layer gave it.
struct Answerable {
    Window* window = nullptr;
    std::uint64_t serial = 0;
    long tag = 0;
    std::vector<int> commands;
};

struct Shown {
    unsigned last_number = 0;
    std::map<unsigned, Answerable> answerable;
    std::map<unsigned, unsigned> by_service_id;  // the service's id -> the layer's number
};

Shown& shown() {
    static Shown notifications;
    return notifications;
}

unsigned remember_answers(Window& window, const std::vector<PanelMenuItem>& answers, long tag) {
    Answerable record{&window, window.native->serial, tag, {}};
    for (const PanelMenuItem& answer : answers) record.commands.push_back(answer.command_id);
    Shown& all = shown();
    all.answerable[++all.last_number] = record;
    while (all.answerable.size() > NOTIFICATIONS_KEPT) all.answerable.erase(all.answerable.begin());
    return all.last_number;
}

#if defined(KEZ_HAS_DBUS)
// A session bus to talk to, without making one start: a desktop session always has one.
bool session_bus_present() {
    if (!qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")) return true;
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return !runtime.isEmpty() && QFileInfo::exists(runtime + QStringLiteral("/bus"));
}

// Hears which answer the user chose in a notification of the service.
class AnswerListener : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
public slots:
    void action_invoked(uint service_id, const QString& action) {
        const auto found = shown().by_service_id.find(service_id);
        if (found == shown().by_service_id.end()) return;
        bool is_number = false;
        const int command = action.toInt(&is_number);
        if (is_number) answer_notification(found->second, command);
    }
    void notification_closed(uint service_id, uint) { shown().by_service_id.erase(service_id); }
};

void listen_for_answers(QDBusConnection& bus) {
    static AnswerListener* listener = nullptr;
    if (listener != nullptr) return;
    listener = new AnswerListener(QCoreApplication::instance());
    const QString path = QStringLiteral("/org/freedesktop/Notifications");
    const QString interface = QStringLiteral("org.freedesktop.Notifications");
    // From whichever program serves the notifications.
    bus.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), listener,
                SLOT(action_invoked(uint, QString)));
    bus.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), listener,
                SLOT(notification_closed(uint, uint)));
}

// Asks the desktop's notification service, without waiting for its answer; when nobody
// answers, the panel icon tries instead.
bool send_to_notification_service(const QString& title, const QString& text,
                                  const std::vector<PanelMenuItem>& answers, unsigned number) {
    if (!session_bus_present()) return false;
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) return false;
    QStringList actions;
    for (const PanelMenuItem& answer : answers) {
        actions << QString::number(answer.command_id) << to_qt(answer.label);
    }
    if (!actions.isEmpty()) listen_for_answers(bus);
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"),
        QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    call << QCoreApplication::applicationName() << quint32(0) << QString() << title << text
         << actions << QVariantMap() << qint32(-1);
    auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call));
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [title, text, number](QDBusPendingCallWatcher* answered) {
                         const QDBusPendingReply<uint> reply = *answered;
                         if (reply.isError()) {
                             show_in_panel(title, text);
                         } else if (number != 0) {
                             shown().by_service_id[reply.value()] = number;
                         }
                         answered->deleteLater();
                     });
    return true;
}
#else
bool send_to_notification_service(const QString&, const QString&, const std::vector<PanelMenuItem>&,
                                  unsigned) {
    return false;
}
#endif

void notify(const std::string& title, const std::string& text,
            const std::vector<PanelMenuItem>& answers, unsigned number) {
    if (panel_hooks().notification) {
        panel_hooks().notification(NotificationShown{title, text, answers, number});
        return;
    }
    ensure_layer();
    const QString qt_title = to_qt(title);
    const QString qt_text = to_qt(text);
    if (send_to_notification_service(qt_title, qt_text, answers, number)) return;
    show_in_panel(qt_title, qt_text);
}

}  // namespace

void notify_desktop(const std::string& title, const std::string& text) {
    notify(title, text, {}, 0);
}

void notify_desktop(Window& window, const std::string& title, const std::string& text,
                    const std::vector<PanelMenuItem>& answers, long tag) {
    if (native_of(window) == nullptr) return;
    notify(title, text, answers, answers.empty() ? 0 : remember_answers(window, answers, tag));
}

void answer_notification(unsigned notification, int command_id) {
    const auto found = shown().answerable.find(notification);
    if (found == shown().answerable.end()) return;
    const Answerable& record = found->second;
    if (!still_open(record.window, record.serial)) return;
    if (std::find(record.commands.begin(), record.commands.end(), command_id) ==
        record.commands.end()) {
        return;
    }
    if (held_back_by_modal(record.window->native->widget)) return;
    deliver_event(*record.window, EV_CONTROL, command_id, NOTIFY_CLICKED, record.tag);
}

}  // namespace common

#if defined(KEZ_HAS_DBUS)
#include "notifications.moc"
#endif
