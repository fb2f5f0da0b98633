// The scripted user's actions on the dialog model.
#include <algorithm>

#include "core/scripted_user.h"
#include "dialog_model.h"

namespace standin {

namespace {

class ModelUser final : public DialogUser {
  public:
    explicit ModelUser(ModelDialog &dialog) : dialog_(dialog) {}

    bool ended() const override { return dialog_.ended; }

    std::optional<SeenControl> find(int32_t id) override {
        const ModelControl *control = controlById(dialog_, static_cast<uint32_t>(id));
        if (control == nullptr)
            return std::nullopt;
        return SeenControl{control->className, control->style, control->enabled};
    }

    void click(int32_t id) override { controlMessage(at(id), BM_CLICK, 0, 0); }

    void type(int32_t id, const std::string &text) override {
        ModelControl &edit = at(id);
        setFocus(dialog_, &edit);
        controlMessage(edit, EM_SETSEL, 0, -1);
        if (text.empty())
            controlMessage(edit, WM_CHAR, VK_BACK, 0);
        for (char typed : text)
            controlMessage(edit, WM_CHAR, static_cast<unsigned char>(typed), 0);
    }

    bool pick(int32_t id, const std::string &text) override {
        ModelControl &list = at(id);
        const auto item = std::find(list.items.begin(), list.items.end(), text);
        if (item == list.items.end())
            return false;
        const auto index = static_cast<WPARAM>(item - list.items.begin());
        setFocus(dialog_, &list);
        if (list.kind == ControlClass::ListBox) {
            controlMessage(list, LB_SETCURSEL, index, 0);
            if ((list.style & LBS_NOTIFY) != 0)
                notifyParent(list, LBN_SELCHANGE);
        } else {
            controlMessage(list, CB_SETCURSEL, index, 0);
            notifyParent(list, CBN_SELCHANGE);
        }
        return true;
    }

    void spin(int32_t id, bool up) override { clickUpDownArrow(at(id), up); }

    void key(bool enter) override { pressDialogKey(dialog_, enter ? VK_RETURN : VK_ESCAPE); }

    void snapshot() override { dialog_.snapshots.push_back(captureDialogState(dialog_)); }

    std::optional<int32_t> defaultButton() override {
        if (dialog_.defaultId == 0)
            return std::nullopt;
        return static_cast<int32_t>(dialog_.defaultId);
    }

    void closeByHost() override { endModelDialog(dialog_); }

  private:
    ModelControl &at(int32_t id) { return *controlById(dialog_, static_cast<uint32_t>(id)); }

    ModelDialog &dialog_;
};

} // namespace

void runScriptedUser(ModelDialog &dialog) {
    ModelUser user(dialog);
    while (!user.ended() && performNextStep(user)) {
    }
    closeDialog(user);
}

} // namespace standin
