#pragma once

#include <QUndoCommand>
#include <functional>

namespace folimo {

// One step of Undo: a value as it was before a person's edit and as it is after it, and how
// to put either back into the model (which saves it, as any edit). A step made while typing
// into a field or dragging a slider takes the next step made through that same control into
// itself, so typing a title is one step; a step that ends where it began leaves the stack.
template <typename Value> class EditStep : public QUndoCommand {
public:
    using Apply = std::function<void(const Value&)>;

    EditStep(const QString& text, Value before, Value after, const QObject* typing, Apply apply)
        : QUndoCommand(text)
        , before_(std::move(before))
        , after_(std::move(after))
        , typing_(typing)
        , apply_(std::move(apply)) {}

    void undo() override { apply_(before_); }
    void redo() override { apply_(after_); }
    int id() const override { return typing_ ? typingID : -1; }
    bool mergeWith(const QUndoCommand* other) override {
        const auto* next = dynamic_cast<const EditStep*>(other);
        if (!next || next->typing_ != typing_) return false;
        after_ = next->after_;
        setObsolete(after_ == before_);
        return true;
    }

private:
    static constexpr int typingID = 1;

    Value before_;
    Value after_;
    const QObject* typing_; // only compared, never used: the control may be gone
    Apply apply_;
};

} // namespace folimo
