#include "app/splash_window.h"

#include "platform/twips.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLinearGradient>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QRandomGenerator>
#include <QScreen>
#include <QTimer>

namespace app {
namespace {

constexpr int kWidth = 598;   // 8970 twips
constexpr int kHeight = 388;  // 5820 twips

// Control places are given in twips at 15 twips per pixel, the picture's own scale.
QRect twipRect(int x, int y, int w, int h) { return QRect(x / 15, y / 15, w / 15, h / 15); }

}  // namespace

QImage SplashWindow::artwork() {
    QImage img(kWidth, kHeight, QImage::Format_RGB888);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, kWidth, kHeight);
    sky.setColorAt(0, QColor(12, 38, 74));
    sky.setColorAt(1, QColor(4, 96, 110));
    p.fillRect(img.rect(), sky);

    // Board traces: a fixed pattern, the same on every start.
    QRandomGenerator rng(20021);
    p.setPen(QPen(QColor(90, 200, 190, 70), 2));
    for (int i = 0; i < 26; ++i) {
        QPainterPath path;
        int x = rng.bounded(kWidth), y = rng.bounded(kHeight);
        path.moveTo(x, y);
        for (int k = 0; k < 4; ++k) {
            if (k % 2 == 0) x += rng.bounded(-140, 140); else y += rng.bounded(-90, 90);
            path.lineTo(x, y);
        }
        p.drawPath(path);
        p.setBrush(QColor(120, 230, 210, 110));
        p.drawEllipse(QPointF(x, y), 3.5, 3.5);
        p.setBrush(Qt::NoBrush);
    }

    // A chip with its pins.
    const QRect chip(392, 150, 150, 110);
    p.setPen(QPen(QColor(200, 220, 230), 2));
    for (int i = 0; i < 7; ++i) {
        const int x = chip.left() + 14 + i * 20;
        p.drawLine(x, chip.top() - 14, x, chip.top());
        p.drawLine(x, chip.bottom(), x, chip.bottom() + 14);
    }
    p.setBrush(QColor(28, 32, 40));
    p.drawRoundedRect(chip, 6, 6);
    p.setPen(QColor(230, 190, 90));
    QFont chipFont(QStringLiteral("Liberation Sans"));
    chipFont.setPixelSize(22);
    chipFont.setBold(true);
    p.setFont(chipFont);
    p.drawText(chip, Qt::AlignCenter, QStringLiteral("CPU"));

    // Title.
    QFont title(QStringLiteral("Noto Sans CJK SC"));
    title.setPixelSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(240, 245, 250));
    p.drawText(QRect(36, 110, 360, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("计算机组成原理"));
    p.drawText(QRect(36, 156, 360, 44), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("实验软件"));
    QFont version(QStringLiteral("Noto Sans CJK SC"));
    version.setPixelSize(16);
    p.setFont(version);
    p.setPen(QColor(170, 220, 225));
    p.drawText(QRect(38, 206, 360, 26), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("1.0.5版"));

    p.setPen(QPen(QColor(230, 190, 90), 3));
    p.drawLine(38, 244, 250, 244);
    p.setPen(QColor(150, 190, 200));
    p.setFont(version);
    p.drawText(QRect(38, 300, 330, 26), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("汇编 · 调试 · 联机实验"));
    p.end();
    return img;
}

SplashWindow::SplashWindow(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      label2_(new QLabel(this)),
      command1_(new QPushButton(QStringLiteral("关    闭"), this)),
      timer1_(new QTimer(this)),
      background_(artwork()) {
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(kWidth, kHeight);

    label2_->setGeometry(twipRect(3000, 240, 2895, 375));
    label2_->setAlignment(Qt::AlignCenter);
    label2_->setAttribute(Qt::WA_TranslucentBackground);
    QPalette pal = label2_->palette();
    pal.setColor(QPalette::WindowText, QColor(240, 245, 250));
    label2_->setPalette(pal);

    command1_->setGeometry(twipRect(7800, 5400, 1095, 375));
    command1_->hide();
    connect(command1_, &QPushButton::clicked, this, &SplashWindow::unload);

    timer1_->setSingleShot(false);
    connect(timer1_, &QTimer::timeout, this, &SplashWindow::unload);

    // starttip.Form_Load
    setWindowTitle(QStringLiteral("  加载中，请稍候 。。。"));
    label2_->setText(QStringLiteral("加载中，请稍候 。。。"));

    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }
}

void SplashWindow::Form_Useload() {
    // A splash is not a window of its own in the task bar, and stays on top.
    setWindowFlags(Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setEnabled(true);
    show();
    raise();
    repaint();
    setWindowState(Qt::WindowNoState);
    timer1_->setInterval(3000);
    timer1_->start();
}

void SplashWindow::unload() {
    timer1_->stop();
    unloading_ = true;
    done(QDialog::Accepted);
    close();
}

void SplashWindow::reject() {
    // Escape and the system's close command do not close the window: only its
    // timer (splash) or its button (About) do.
    if (unloading_) QDialog::reject();
}

void SplashWindow::keyPressEvent(QKeyEvent* event) {
    // The About box (the one with a close button) also closes on Esc.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier && command1_->isVisibleTo(this)) {
        unload();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SplashWindow::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    p.drawImage(0, 0, background_);
    QDialog::paintEvent(event);
}

void showAboutBox(QWidget* parent) {
    auto* box = new SplashWindow(parent);
    box->setWindowTitle(QStringLiteral("  关于"));
    box->Timer1()->stop();
    box->Label2()->hide();
    box->Command1()->show();
    box->setWindowModality(Qt::ApplicationModal);
    box->exec();
}

}  // namespace app
