#include "timeaxes.h"

#include <QCategoryAxis>
#include <QChartView>
#include <QLabel>
#include <QStackedWidget>
#include <QValueAxis>

namespace timeaxes {

QCategoryAxis *dateAxis(const QString &title)
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setTitleText(title);
    return axis;
}

void applyDates(QCategoryAxis *axis, const charts::DateAxis &scale)
{
    for (const QString &label : axis->categoriesLabels())
        axis->remove(label);
    axis->setStartValue(qreal(scale.min));
    for (const charts::DateTick &tick : scale.ticks)
        axis->append(tick.label, qreal(tick.day));
    axis->setRange(qreal(scale.min), qreal(scale.max));
}

void applyRound(QValueAxis *axis, const charts::RoundScale &scale)
{
    axis->setRange(scale.min, scale.max);
    axis->setTickType(QValueAxis::TicksDynamic);
    axis->setTickAnchor(0);
    axis->setTickInterval(scale.step);
    axis->setMinorTickCount(0);
    const bool whole = std::abs(scale.step - std::round(scale.step)) < 1e-9;
    axis->setLabelFormat(whole ? QStringLiteral("%.0f") : QStringLiteral("%.1f"));
}

namespace {

QStackedWidget *stackOf(const QChartView *view)
{
    return qobject_cast<QStackedWidget *>(view->parentWidget());
}

} // namespace

QWidget *panel(QChartView *view, QWidget *parent)
{
    auto *stack = new QStackedWidget(parent);
    stack->setObjectName(view->objectName() + QStringLiteral("Panel"));
    stack->addWidget(view);
    auto *text = new QLabel(stack);
    text->setObjectName(view->objectName() + QStringLiteral("EmptyText"));
    text->setAlignment(Qt::AlignCenter);
    text->setWordWrap(true);
    text->setAutoFillBackground(true);
    text->setFrameShape(QFrame::StyledPanel);
    stack->addWidget(text);
    return stack;
}

void showText(QChartView *view, const QString &text)
{
    QStackedWidget *stack = stackOf(view);
    if (!stack)
        return;
    auto *label = qobject_cast<QLabel *>(stack->widget(1));
    label->setText(text);
    // The chart's title still says which chart this is.
    if (!text.isEmpty())
        label->setText(QStringLiteral("<b>%1</b><br><br>%2")
                           .arg(view->chart()->title().toHtmlEscaped(), text.toHtmlEscaped()));
    label->setAccessibleName(view->chart()->title() + QChar(' ') + text);
    stack->setCurrentIndex(text.isEmpty() ? 0 : 1);
}

QString shownText(const QChartView *view)
{
    const QStackedWidget *stack = stackOf(view);
    if (!stack || stack->currentIndex() == 0)
        return {};
    const QString name = qobject_cast<QLabel *>(stack->widget(1))->accessibleName();
    return name.mid(view->chart()->title().size() + 1);
}

} // namespace timeaxes
