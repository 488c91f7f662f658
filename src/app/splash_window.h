#pragma once
// `starttip`: the splash shown while the program starts, reused as the About box.

#include <QDialog>

class QLabel;
class QPushButton;
class QTimer;

namespace app {

class SplashWindow : public QDialog {
    Q_OBJECT
public:
    // Loading the window (starttip.Form_Load) sets its loading texts.
    explicit SplashWindow(QWidget* parent = nullptr);

    // starttip.Form_Useload: shown topmost, not modal; closes itself 3 s later.
    void Form_Useload();

    QLabel* Label2() const { return label2_; }
    QPushButton* Command1() const { return command1_; }
    QTimer* Timer1() const { return timer1_; }

    // The window's artwork, 598 x 388 pixels.
    static QImage artwork();

public slots:
    void reject() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void unload();

    QLabel* label2_;
    QPushButton* command1_;
    QTimer* timer1_;
    QImage background_;
    bool unloading_ = false;
};

// The About box: a fresh `starttip` with the caption "  关于", its timer off,
// the loading text hidden and the button "关    闭" shown, modal until that
// button or Esc closes it.
void showAboutBox(QWidget* parent);

}  // namespace app
