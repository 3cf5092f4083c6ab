#pragma once

#include <QDialog>

#include <array>

class QFrame;
class TKxButton;
class TKxNumericEdit;

// The borderless pop-up that asks for one IPv4 address as four octets. The octets keep their
// values between uses, so it offers the last address entered. Enter accepts it like "Ok",
// Escape cancels it, wherever the focus is; pressing on its panel drags it.
class TFormAddr : public QDialog {
    Q_OBJECT

public:
    static constexpr int kModalOk = 1;
    static constexpr int kModalCancel = 2;

    explicit TFormAddr(QWidget *parent = nullptr);

    // The four octets as typed, joined by ".".
    QString AddressText();
    // Moves the focus to the first octet.
    void WMFocusFirst();

    QFrame *Panel1 = nullptr;
    std::array<TKxNumericEdit *, 4> Edits{};
    TKxButton *BtnCoreGuiAdd = nullptr;
    TKxButton *KxButton1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    // Enter or Escape end the pop-up; true when the key was one of them.
    bool FormKeyDown(int key);
};
