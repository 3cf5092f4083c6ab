#pragma once

#include "controls/framework/componentstate.h"
#include "controls/framework/frametypes.h"
#include "controls/framework/tcolor.h"
#include "controls/framework/tkxreginifile.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QVariant>

#include <memory>

class QWidget;

// Gives every registered control one set of frame and state-colour settings, property by
// property, as far as each control's FrameControllerNotifications accept them.
class TKxFrameController : public QObject, public ComponentState {
    Q_OBJECT
    Q_PROPERTY(TColor Color READ Color WRITE SetColor)
    Q_PROPERTY(bool ParentColor READ ParentColor WRITE SetParentColor)
    Q_PROPERTY(TColor FlatButtonColor READ FlatButtonColor WRITE SetFlatButtonColor)
    Q_PROPERTY(bool FlatButtons READ FlatButtons WRITE SetFlatButtons)
    Q_PROPERTY(TColor DisabledColor READ DisabledColor WRITE SetDisabledColor)
    Q_PROPERTY(TColor ReadOnlyColor READ ReadOnlyColor WRITE SetReadOnlyColor)
    Q_PROPERTY(bool ReadOnlyColorOnFocus READ ReadOnlyColorOnFocus WRITE SetReadOnlyColorOnFocus)
    Q_PROPERTY(TColor FocusColor READ FocusColor WRITE SetFocusColor)
    Q_PROPERTY(TColor FrameColor READ FrameColor WRITE SetFrameColor)
    Q_PROPERTY(TColor FrameHotColor READ FrameHotColor WRITE SetFrameHotColor)
    Q_PROPERTY(bool FrameHotTrack READ FrameHotTrack WRITE SetFrameHotTrack)
    Q_PROPERTY(TFrameStyle FrameHotStyle READ FrameHotStyle WRITE SetFrameHotStyle)
    Q_PROPERTY(TSides FrameSides READ FrameSides WRITE SetFrameSides)
    Q_PROPERTY(TFrameStyle FrameStyle READ FrameStyle WRITE SetFrameStyle)
    Q_PROPERTY(bool FrameVisible READ FrameVisible WRITE SetFrameVisible)
    Q_PROPERTY(
        TFramingPreference FramingPreference READ FramingPreference WRITE SetFramingPreference)

public:
    explicit TKxFrameController(QObject *owner = nullptr);
    ~TKxFrameController() override;

    void RegisterFramedControl(QWidget *control);
    void UnregisterFramedControl(QWidget *control);
    int ControlCount() const;

    void SuspendApply();
    void ResumeApply();

    virtual void ApplyToControl(QObject *control, TKxFrameControllerProperty property);
    virtual void ApplyToAllControls(TKxFrameControllerProperty property);

    // Copies all sixteen values, reaching the controls once.
    void Assign(const TKxFrameController &source);
    void Loaded() override;

    // The controller's value of one property, as the controls' property of that name takes it.
    QVariant PropertyValue(TKxFrameControllerProperty property) const;

    TColor Color() const { return m_color; }
    bool ParentColor() const { return m_parentColor; }
    TColor FlatButtonColor() const { return m_flatButtonColor; }
    bool FlatButtons() const { return m_flatButtons; }
    TColor DisabledColor() const { return m_disabledColor; }
    TColor ReadOnlyColor() const { return m_readOnlyColor; }
    bool ReadOnlyColorOnFocus() const { return m_readOnlyColorOnFocus; }
    TColor FocusColor() const { return m_focusColor; }
    TColor FrameColor() const { return m_frameColor; }
    TColor FrameHotColor() const { return m_frameHotColor; }
    bool FrameHotTrack() const { return m_frameHotTrack; }
    TFrameStyle FrameHotStyle() const { return m_frameHotStyle; }
    TSides FrameSides() const { return m_frameSides; }
    TFrameStyle FrameStyle() const { return m_frameStyle; }
    bool FrameVisible() const { return m_frameVisible; }
    TFramingPreference FramingPreference() const { return m_framingPreference; }
    // The storage descriptor the controller carries; a destroyed one is forgotten.
    TKxRegIniFile *RegIniFile() const { return m_regIniFile; }

    virtual void SetColor(TColor value);
    virtual void SetParentColor(bool value);
    virtual void SetFlatButtonColor(TColor value);
    virtual void SetFlatButtons(bool value);
    virtual void SetDisabledColor(TColor value);
    virtual void SetReadOnlyColor(TColor value);
    virtual void SetReadOnlyColorOnFocus(bool value);
    virtual void SetFocusColor(TColor value);
    virtual void SetFrameColor(TColor value);
    virtual void SetFrameHotColor(TColor value);
    virtual void SetFrameHotTrack(bool value);
    virtual void SetFrameHotStyle(TFrameStyle value);
    virtual void SetFrameSides(TSides value);
    virtual void SetFrameStyle(TFrameStyle value);
    virtual void SetFrameVisible(bool value);
    virtual void SetFramingPreference(TFramingPreference value);
    virtual void SetRegIniFile(TKxRegIniFile *value);

private:
    template <typename T>
    void Change(T &field, const T &value, TKxFrameControllerProperty property);

    // Created with the first registration, freed when the last control leaves.
    std::unique_ptr<QList<QPointer<QWidget>>> m_controls;
    int m_updateCount = 0;
    TColor m_color = clWindow;
    bool m_parentColor = false;
    TColor m_flatButtonColor = clBtnFace;
    bool m_flatButtons = true;
    TColor m_disabledColor = clBtnFace;
    TColor m_readOnlyColor = clInfoBk;
    bool m_readOnlyColorOnFocus = false;
    TColor m_focusColor = clWindow;
    TColor m_frameColor = clBtnShadow;
    TColor m_frameHotColor = clBtnShadow;
    bool m_frameHotTrack = false;
    TFrameStyle m_frameHotStyle = fsFlatBold;
    TSides m_frameSides = TSides::All();
    TFrameStyle m_frameStyle = fsFlat;
    bool m_frameVisible = false;
    TFramingPreference m_framingPreference = fpXPThemes;
    QPointer<TKxRegIniFile> m_regIniFile;
};
