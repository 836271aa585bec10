#pragma once
// The about box: the banner, the product name, its version, the publisher and the author.

#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

namespace platform {
class PictureBox;
} // namespace platform

class TAboutBox : public QDialog {
    Q_OBJECT

public:
    static constexpr QSize kClientSize{345, 227};

    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1;
    QPushButton* OKButton;
    platform::PictureBox* ProgramIcon;
    QLabel* ProductName;
    QLabel* Version;
    QLabel* LabelEditeur;
    QLabel* LabelAuteur;

protected:
    void showEvent(QShowEvent* event) override;
};
