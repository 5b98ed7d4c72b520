// TUcCheckList: an owner-drawn list box whose items carry a check box, toggled by mouse or space bar.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "core/CheckListToggle.h"
#include "core/Strings.h"
#include "toolkit/Controls.h"

class TUcCheckList;

using TStateChangingEvent =
    std::function<void(TObject* Sender, int Index, TCheckBoxState NewState, bool& AllowChange)>;
using TStateChangeEvent = std::function<void(TObject* Sender, int Index, TCheckBoxState NewState)>;

// A list's index that lies outside its items.
class EListError : public Exception {
public:
    using Exception::Exception;
};

// The check list's items: texts in insertion order, each with its check state and enabled flag.
// The items live here; the list box window only shows them, so they survive the window's re-creation.
class TCheckListStrings : public TStrings {
public:
    explicit TCheckListStrings(TUcCheckList& owner) : FOwner(owner) {}

    int Count() const override { return static_cast<int>(FItems.size()); }
    std::string Get(int index) const override;
    // Index of the first item with exactly this text, or -1.
    int IndexOf(const std::string& text) const override;
    int Add(const std::string& text) override;
    void Delete(int index) override;
    void Clear() override;

    // index may equal Count() to append.
    void Insert(int index, const std::string& text);
    // Replaces the text; the item keeps its state and enabled flag.
    void Put(int index, const std::string& text);
    // Moves an item with its state and enabled flag; a selected item stays selected.
    void Move(int curIndex, int newIndex);

    TCheckBoxState ItemState(int index) const;
    // Storing the state an item already has changes nothing; a new one repaints the item.
    void SetItemState(int index, TCheckBoxState state);
    bool ItemEnabled(int index) const;
    void SetItemEnabled(int index, bool enabled);

    // Between the outermost BeginUpdate and its EndUpdate the window does not repaint: a list box that
    // redraws after every insertion takes minutes for a large network.
    void BeginUpdate();
    void EndUpdate();
    // Keeps an update open for one scope, also when an exception leaves it.
    class TUpdate {
    public:
        explicit TUpdate(TCheckListStrings& items) : FItems(items) { FItems.BeginUpdate(); }
        ~TUpdate() { FItems.EndUpdate(); }
        TUpdate(const TUpdate&) = delete;
        TUpdate& operator=(const TUpdate&) = delete;

    private:
        TCheckListStrings& FItems;
    };

private:
    friend class TUcCheckList;

    struct TItem {
        std::string Text;
        TCheckBoxState State = cbUnchecked;
        bool Enabled = true;
    };

    void CheckIndex(int index, int count) const;
    // Stores one of an item's marks (index already checked) and shows the change.
    template <class T>
    void StoreItemField(int index, T TItem::*field, T value);

    TUcCheckList& FOwner;
    std::vector<TItem> FItems;
    int FUpdateCount = 0;
};

class TUcCheckList : public TControl {
public:
    explicit TUcCheckList(TComponent* AOwner);

    TCheckListStrings& Items() { return FItems; }
    const TCheckListStrings& Items() const { return FItems; }

    // The selected item, -1 when none.
    int ItemIndex() const;
    void SetItemIndex(int index);
    int TopIndex() const;
    void SetTopIndex(int index);

    int ItemHeight() const { return FItemHeight; }
    void SetItemHeight(int height);

    // When true a click anywhere on an item toggles it; otherwise only a click on its check box does.
    bool ToggleOnItemClick() const { return FToggle.ToggleOnItemClick; }
    void SetToggleOnItemClick(bool value) { FToggle.ToggleOnItemClick = value; }
    // Whether a user toggle passes through the grayed state.
    bool AllowGrayed() const { return FToggle.AllowGrayed; }
    void SetAllowGrayed(bool value) { FToggle.AllowGrayed = value; }

    // Raised only for user toggles, never for states set by code. Deliberately hides TControl::OnChange,
    // which has no place in a check list.
    TStateChangingEvent OnChanging;
    TStateChangeEvent OnChange;

    // Destroys and re-creates the window; items, states, top item and selection come back as they were.
    void RecreateWnd();

    // Width of the drawn check box; a press up to 4 pixels past it still counts as on the box.
    static constexpr int kCheckBoxSize = 13;
    // Each item's data in the window mirrors its state, plus this flag when disabled, for readers outside.
    static constexpr LPARAM kDisabledFlag = 0x100;

protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeHandle() override;
    LRESULT WndProc(UINT msg, WPARAM wParam, LPARAM lParam) override;
    bool DrawItem(DRAWITEMSTRUCT& item) override;
    bool MeasureItem(MEASUREITEMSTRUCT& item) override;

private:
    friend class TCheckListStrings;

    // Connects the toggle rules to the items and the events.
    class TToggleTarget : public ICheckToggleTarget {
    public:
        explicit TToggleTarget(TUcCheckList& list) : FList(list) {}
        int Count() const override;
        int SelectedIndex() const override;
        TCheckBoxState ItemState(int index) const override;
        bool ItemEnabled(int index) const override;
        bool StateChanging(int index, TCheckBoxState newState) override;
        void SetItemState(int index, TCheckBoxState state) override;
        void StateChanged(int index, TCheckBoxState newState) override;

    private:
        TUcCheckList& FList;
    };

    // Window mirror of the item operations; each throws when the list box refuses, before anything changed.
    void WindowInsert(int index, const std::string& text, LPARAM data);
    void WindowDelete(int index);
    void WindowClear();
    void WindowSetData(int index, LPARAM data);
    void InvalidateItem(int index);
    void SetRedraw(bool redraw);
    void SaveWindowState();
    static LPARAM ItemData(const TCheckListStrings::TItem& item);

    void MouseDown(int x, int y);
    void MouseUp(int x, int y);
    // Keeps a position (selection or top item) for the window to come, or sends it when the window shows
    // another one.
    void MoveTo(int index, int& saved, int (TUcCheckList::*shown)() const, UINT message);

    TCheckListStrings FItems;
    TCheckToggle FToggle;
    TToggleTarget FTarget;
    int FItemHeight = 16;
    // Selection and top item while there is no window (before the first and between re-creations).
    int FSavedItemIndex = -1;
    int FSavedTopIndex = 0;
};
