// TCustomComboBox: the system combo box as a drop-down list of texts with item data, its selection,
// its drop-down notifications and re-creation of its window.
#pragma once
#include <string>

#include "toolkit/Controls.h"

enum class TComboBoxStyle { csDropDown, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TControl {
public:
    explicit TCustomComboBox(TComponent* AOwner);

    TComboBoxStyle Style() const { return FStyle; }
    // The style is fixed when the window is made: changing it re-creates the window.
    void SetStyle(TComboBoxStyle style);

    // How many items the open list shows at once.
    int DropDownCount() const { return FDropDownCount; }
    void SetDropDownCount(int count);

    // Items live in the window: these need the parent to have a window.
    int ItemCount();
    int AddItem(const std::string& text, LPARAM data);
    // Replaces an item's text and data in place; the selection stays where it was.
    void ReplaceItem(int index, const std::string& text, LPARAM data);
    void ClearItems();
    std::string ItemText(int index);
    LPARAM ItemData(int index);
    void SetItemData(int index, LPARAM data);

    // -1 when nothing is selected. Setting it raises no event, as the system control does.
    int ItemIndex();
    void SetItemIndex(int index);

    bool DroppedDown();
    void SetDroppedDown(bool dropped);

    // Destroys the window and makes it again (items are rebuilt by CreateItems).
    void RecreateWnd();

    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateHandle() override;
    // Called each time the window has been made: fill the list here.
    virtual void CreateItems() {}

    bool CommandNotify(WORD code) override;
    virtual void Change();
    virtual void DropDown();
    virtual void CloseUp();

    // The height of the open list for DropDownCount items of the first item's height.
    int DroppedListHeight();
    void UpdateDroppedHeight();

private:
    void CheckIndex(int index, const char* what);

    TComboBoxStyle FStyle = TComboBoxStyle::csDropDownList;
    int FDropDownCount = 8;
};
