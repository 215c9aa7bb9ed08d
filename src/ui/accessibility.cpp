#include "ui/accessibility.h"

#include <QAbstractButton>
#include <QLabel>
#include <algorithm>
#include <map>
#include <vector>

namespace ui {
namespace {

// The controls without a caption of their own.
const std::map<QString, QString>& HeldNames() {
    static const std::map<QString, QString> names = {
        {QStringLiteral("编辑框1"), QStringLiteral("文件名关键字")},
        {QStringLiteral("组合框1"), QStringLiteral("要搜的后缀名")},
        {QStringLiteral("驱动器框1"), QStringLiteral("驱动器")},
        {QStringLiteral("目录框1"), QStringLiteral("目录")},
        {QStringLiteral("文件框1"), QStringLiteral("文件")},
        {QStringLiteral("列表框1"), QStringLiteral("搜索结果")},
        {QStringLiteral("编辑框3"), QStringLiteral("当前目录")},
        {QStringLiteral("编辑框说明"), QStringLiteral("说明")},
        {QStringLiteral("状态条1"), QStringLiteral("状态栏")},
        {QStringLiteral("图片框1"), QStringLiteral("程序图标")},
        {QStringLiteral("图片框2"), QStringLiteral("文件图案")},
    };
    return names;
}

}  // namespace

void NameControls(QWidget& window) {
    for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QString name;
        auto held = HeldNames().find(w->objectName());
        if (held != HeldNames().end()) {
            name = held->second;
        } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
            name = b->text();
        } else if (auto* l = qobject_cast<QLabel*>(w)) {
            name = l->text();
        }
        if (!name.isEmpty())
            w->setAccessibleName(name.trimmed());
    }
}

void OrderTabsByPosition(QWidget& window) {
    std::vector<QWidget*> focusable;
    for (QWidget* w : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (w->focusPolicy() & Qt::TabFocus)
            focusable.push_back(w);
    std::stable_sort(focusable.begin(), focusable.end(), [](QWidget* a, QWidget* b) {
        const QPoint pa = a->geometry().topLeft(), pb = b->geometry().topLeft();
        // Controls whose tops are within a few pixels share a row.
        if (std::abs(pa.y() - pb.y()) > 8)
            return pa.y() < pb.y();
        return pa.x() < pb.x();
    });
    for (size_t i = 1; i < focusable.size(); ++i)
        QWidget::setTabOrder(focusable[i - 1], focusable[i]);
}

}  // namespace ui
