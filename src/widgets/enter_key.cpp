#include "widgets/enter_key.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>

namespace skelvane {

namespace {

class EnterKeyFilter final : public QObject {
public:
    EnterKeyFilter(QObject* parent, std::function<void()> action)
        : QObject(parent), action_(std::move(action)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                action_();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> action_;
};

} // namespace

void OnEnterPressed(QComboBox* box, std::function<void()> action) {
    if (!box || !box->lineEdit())
        return;
    box->lineEdit()->installEventFilter(new EnterKeyFilter(box, std::move(action)));
}

} // namespace skelvane
