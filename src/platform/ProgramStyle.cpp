#include "platform/ProgramStyle.h"

#include <QGuiApplication>
#include <QIcon>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QWidget>

#include <map>
#include <utility>

namespace corvellan {

namespace {

class IconSharingStyle : public QProxyStyle {
  public:
    explicit IconSharingStyle(QStyle* base) : QProxyStyle(base) {}

    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        // An option may ask for a particular state or size: made anew. The
        // arrows point the other way in a right-to-left widget.
        if (option) return QProxyStyle::standardIcon(which, option, widget);
        const Qt::LayoutDirection direction =
            widget ? widget->layoutDirection() : QGuiApplication::layoutDirection();
        const auto key = std::make_pair(static_cast<int>(which), static_cast<int>(direction));
        auto found = icons_.find(key);
        if (found == icons_.end())
            found = icons_.emplace(key, QProxyStyle::standardIcon(which, nullptr, widget)).first;
        return found->second;
    }

  private:
    mutable std::map<std::pair<int, int>, QIcon> icons_;
};

} // namespace

QStyle* makeProgramStyle() {
    return new IconSharingStyle(QStyleFactory::create("Fusion"));
}

} // namespace corvellan
