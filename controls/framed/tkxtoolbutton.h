#pragma once

#include "controls/framework/componentstate.h"
#include "controls/framework/frametypes.h"
#include "controls/framework/kxevents.h"
#include "controls/framework/tcolor.h"
#include "controls/framework/timagelist.h"
#include "controls/painting/buttonlayout.h"
#include "controls/painting/schemecolors.h"
#include "controls/painting/toolbuttongeometry.h"

#include <QMenu>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class TCustomAction;
class TKxToolButtonActionLink;

enum TKxToolStyle : int { tsButton, tsDropDown };

// A windowless toolbar button: flat, raised, themed or with a selection gradient; an image with
// hot, down and disabled variants; a caption around it; grouped Down buttons; and a drop-down
// style whose menu opens from the whole button or from an arrow part beside the click area.
class TKxToolButton : public QWidget, public ComponentState {
    Q_OBJECT
    Q_PROPERTY(bool Transparent READ Transparent WRITE SetTransparent)

public:
    enum TToolState { tbsUp, tbsDisabled, tbsPressed, tbsDown, tbsDropped };

    explicit TKxToolButton(QWidget *parent = nullptr);
    ~TKxToolButton() override;

    QString Caption() const { return m_caption; }
    void SetCaption(const QString &caption);
    TColor Color() const { return m_color; }
    void SetColor(TColor value);
    TCustomAction *Action() const;
    void SetAction(TCustomAction *action);
    // Gives an action the button's down state as its checked state, and its image index.
    void AssignTo(TCustomAction &action) const;

    bool AllowAllUp() const { return m_allowAllUp; }
    virtual void SetAllowAllUp(bool value);
    TAlignment Alignment() const { return m_alignment; }
    virtual void SetAlignment(TAlignment value);
    TKxGradientColorStyle GradientColorStyle() const { return m_gradientColorStyle; }
    virtual void SetGradientColorStyle(TKxGradientColorStyle value);
    TColor SelectionColorStart() const { return m_selectionColorStart; }
    virtual void SetSelectionColorStart(TColor value);
    TColor SelectionColorStop() const { return m_selectionColorStop; }
    virtual void SetSelectionColorStop(TColor value);
    TColor SelectionFrameColor() const { return m_selectionFrameColor; }
    virtual void SetSelectionFrameColor(TColor value);
    bool Down() const { return m_down; }
    virtual void SetDown(bool value);
    QMenu *DropDownMenu() const { return m_dropDownMenu; }
    virtual void SetDropDownMenu(QMenu *menu);
    bool Flat() const { return m_flat; }
    virtual void SetFlat(bool value);
    int GroupIndex() const { return m_groupIndex; }
    virtual void SetGroupIndex(int value);
    int HotIndex() const { return m_hotIndex; }
    virtual void SetHotIndex(int value);
    int ImageIndex() const { return m_imageIndex; }
    virtual void SetImageIndex(int value);
    int DownIndex() const { return m_downIndex; }
    virtual void SetDownIndex(int value);
    int DisabledIndex() const { return m_disabledIndex; }
    virtual void SetDisabledIndex(int value);
    TImageList *Images() const { return m_images; }
    virtual void SetImages(TImageList *images);
    bool UseToolbarButtonLayout() const { return m_useToolbarButtonLayout; }
    virtual void SetUseToolbarButtonLayout(bool value);
    TButtonLayout Layout() const { return m_layout; }
    virtual void SetLayout(TButtonLayout value);
    bool UseToolbarButtonSize() const { return m_useToolbarButtonSize; }
    virtual void SetUseToolbarButtonSize(bool value);
    virtual int Width() const { return width(); }
    virtual void SetWidth(int value);
    virtual int Height() const { return height(); }
    virtual void SetHeight(int value);
    bool UseToolbarShowCaption() const { return m_useToolbarShowCaption; }
    virtual void SetUseToolbarShowCaption(bool value);
    bool ShowCaption() const { return m_showCaption; }
    virtual void SetShowCaption(bool value);
    TKxToolStyle ToolStyle() const { return m_toolStyle; }
    virtual void SetToolStyle(TKxToolStyle value);
    bool Transparent() const { return m_transparent; }
    virtual void SetTransparent(bool value);
    bool UseToolbarVisualStyle() const { return m_useToolbarVisualStyle; }
    virtual void SetUseToolbarVisualStyle(bool value);
    TKxVisualStyle VisualStyle() const { return m_visualStyle; }
    virtual void SetVisualStyle(TKxVisualStyle value);

    TToolState ToolState() const { return m_input.tool; }
    bool MouseInside() const { return m_input.mouseInside; }
    bool Tracking() const { return m_input.tracking; }
    bool InDropDown() const { return m_input.inDropDown; }
    bool ClickAllowed() const { return m_input.clickAllowed; }

    // The parts of the button as painted and hit.
    ToolButtonGeometry Geometry() const;

    // OnClick, or the action when the button has no OnClick of its own; a drop-down button
    // clicks only while a click is allowed.
    virtual void Click();
    // The action changed; with checkDefaults only what the button has left unset follows it.
    virtual void ActionChange(TCustomAction &action, bool checkDefaults);
    // Down and ImageIndex are not stored while the action supplies them.
    bool IsDownStored() const;
    bool IsImageIndexStored() const;
    // The group message of another button of the same parent.
    void GroupButtonPressed(int groupIndex, TKxToolButton *sender);
    // Milliseconds of a steady clock: tests replace it.
    void SetTickSource(std::function<qint64()> ticks) { m_ticks = std::move(ticks); }

    TNotifyEvent OnClick;
    // Receives the menu as its sender.
    TNotifyEvent OnDropDown;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;

protected:
    virtual QRect DrawToolFace(QPainter &canvas, const QRect &rect);
    virtual void DrawToolImage(QPainter &canvas, const QRect &rect);
    virtual void DrawDropArrow(QPainter &canvas);
    virtual void DrawToolCaption(QPainter &canvas, const QRect &rect);
    // Opens the menu under the button and returns when it closed.
    virtual void ShowDropDownMenu();
    // Shows the menu at a screen point until it closes.
    virtual void PopupMenuAt(QMenu &menu, QPoint point);
    virtual QPoint ToolImageSize() const;
    virtual ToolLayout LayoutImageAndCaption() const;

    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool event(QEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    bool FlatLooking() const;
    bool ThemedLook() const;
    // A drop-down button that also clicks (OnClick or an action) beside its arrow part.
    bool IsSplit() const;
    bool IsActive() const;
    bool IsRightToLeft() const { return layoutDirection() == Qt::RightToLeft; }
    // Pressed or down, or dropped on a pure drop-down button: the content is pushed in.
    bool ContentPushedIn() const;
    // The gradient's frame and colours: the button's own with gcsCustom, else the scheme's.
    SelectionColorSet ShownSelectionColors() const;
    void SetState(TToolState state);
    void BroadcastGroup();
    void ReleaseAt(QPoint position);
    // Sends itself the enter or leave it missed while the mouse was held.
    void HotTrackAt(QPoint position);
    void MouseEntered();
    void MouseLeft();
    void FitImages();
    int MenuTextWidth() const;

    QString m_caption;
    TColor m_color = clBtnFace;
    bool m_allowAllUp = false;
    TAlignment m_alignment = taCenter;
    TKxGradientColorStyle m_gradientColorStyle = gcsSystem;
    TColor m_selectionColorStart = clBtnFace;
    TColor m_selectionColorStop = clBtnShadow;
    TColor m_selectionFrameColor = cl3DDkShadow;
    bool m_down = false;
    QPointer<QMenu> m_dropDownMenu;
    bool m_flat = true;
    int m_groupIndex = 0;
    int m_hotIndex = -1;
    int m_imageIndex = -1;
    int m_downIndex = -1;
    int m_disabledIndex = -1;
    QPointer<TImageList> m_images;
    bool m_useToolbarButtonLayout = true;
    TButtonLayout m_layout = blGlyphLeft;
    bool m_useToolbarButtonSize = true;
    bool m_useToolbarShowCaption = true;
    bool m_showCaption = false;
    TKxToolStyle m_toolStyle = tsButton;
    bool m_transparent = true;
    bool m_useToolbarVisualStyle = true;
    TKxVisualStyle m_visualStyle = vsWinXP;
    std::unique_ptr<TKxToolButtonActionLink> m_actionLink;

    // What the mouse, the keyboard and the menu did to the button; only the input handlers and
    // the property setters change it, painting only reads it.
    struct InputState {
        TToolState tool = tbsUp;
        bool mouseInside = false;
        // A left press began on the button and has not been released.
        bool tracking = false;
        // The drop-down menu is open.
        bool inDropDown = false;
        // A split button's next press clicks (false right after its menu closed).
        bool clickAllowed = true;
        // When the menu last closed; 0 for none.
        qint64 lastDropTick = 0;
    };
    InputState m_input;
    int m_shortcutId = 0;
    std::function<qint64()> m_ticks;
};
