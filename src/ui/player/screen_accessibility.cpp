#include "player/screen_accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace quill {

namespace {

// A screen part as Qt's accessibility sees it: its role and text, the press action for links
// and buttons, and for the text of the drawing area the text interface (read by offsets).
class ScreenPartInterface : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    ScreenPartInterface(QWidget* widget, AccessibleScreenPart* part)
        : QAccessibleWidget(widget, part->accessibleRole()), part_(part) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Name || (t == QAccessible::Value && role() == QAccessible::StaticText))
            return part_->accessibleText();
        return QAccessibleWidget::text(t);
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface && role() == QAccessible::StaticText)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QStringList actionNames() const override {
        QStringList names = QAccessibleWidget::actionNames();
        if (Pressable()) names.prepend(pressAction());
        return names;
    }
    void doAction(const QString& action) override {
        if (Pressable() && action == pressAction() && widget()->isEnabled()) {
            part_->accessiblePress();
            return;
        }
        QAccessibleWidget::doAction(action);
    }

    // ---- QAccessibleTextInterface: the text is read-only, without a caret or selections ----
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int start, int end) const override {
        const QString all = part_->accessibleText();
        start = qBound(0, start, int(all.size()));
        end = end < 0 ? int(all.size()) : qBound(start, end, int(all.size()));
        return all.mid(start, end - start);
    }
    int characterCount() const override { return int(part_->accessibleText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int* start, int* end) const override {
        *start = *end = offset;
        return {};
    }

private:
    bool Pressable() const { return role() == QAccessible::Link || role() == QAccessible::Button; }
    AccessibleScreenPart* part_;
};

QAccessibleInterface* ScreenPartFactory(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    auto* part = dynamic_cast<AccessibleScreenPart*>(object);
    if (!widget || !part) return nullptr;
    return new ScreenPartInterface(widget, part);
}

}  // namespace

void InstallScreenAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(ScreenPartFactory);
        return true;
    }();
    (void)installed;
}

void AnnounceNewScreen(QWidget* area) {
    if (!area || !QAccessible::isActive()) return;
    QAccessibleEvent changed(area, QAccessible::NameChanged);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent alert(area, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}

}  // namespace quill
