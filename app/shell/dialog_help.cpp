#include "app/shell/dialog_help.h"

#include "app/shell/help_request.h"

#include <QEvent>
#include <QShortcut>
#include <QWidget>

namespace lv::app {
namespace {

// Lives as a child of its dialog: sets the context when the dialog shows and puts the one
// before back when it hides (a dialog may open over another).
class DialogHelpContext final : public QObject {
public:
    DialogHelpContext(QWidget& dialog, int dialogId)
        : QObject(&dialog)
        , context_(skin::HelpContextForDialog(dialogId))
    {
        setObjectName(QStringLiteral("help %1").arg(dialogId));
        dialog.installEventFilter(this);
        auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), &dialog);  // the dialog owns it
        connect(f1, &QShortcut::activated, this, [] { RequestHelp(skin::CurrentHelpContext()); });
        if (dialog.isVisible())
            enter();
    }
    ~DialogHelpContext() override { leave(); }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Show)
            enter();
        else if (event->type() == QEvent::Hide)
            leave();
        return false;
    }

private:
    void enter()
    {
        if (shown_)
            return;
        previous_ = std::exchange(skin::CurrentHelpContext(), context_);
        shown_ = true;
    }
    void leave()
    {
        if (!shown_)
            return;
        skin::CurrentHelpContext() = previous_;
        shown_ = false;
    }

    std::optional<int> context_;
    std::optional<int> previous_;
    bool shown_ = false;
};

}  // namespace

void UseDialogHelp(QWidget& dialog, int dialogId)
{
    new DialogHelpContext(dialog, dialogId);  // owned by the dialog
}

}  // namespace lv::app
