#pragma once

#include <QColor>
#include <QLabel>

namespace skelvane {

// A label that acts as a link: red while the pointer is over it, back to its own colour
// (navy, blue or black) on leaving; a left click emits clicked().
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    explicit LinkLabel(const QString& text, const QColor& restColor = QColor(0, 0, 128),
                       QWidget* parent = nullptr);
    QColor textColor() const;

signals:
    void clicked();

protected:
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void setTextColor(const QColor& color);
    QColor restColor_;
};

} // namespace skelvane
