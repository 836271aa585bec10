#pragma once
// A picture box: shows one of the program's JPEG pictures at its designed size, drawn from the
// stored resolution that suits the screen it stands on, and again when it moves to a screen of
// another pixel density.

#include <QLabel>
#include <QString>

namespace platform {

class PictureBox : public QLabel {
    Q_OBJECT

public:
    explicit PictureBox(QWidget* parent = nullptr);

    // Shows the picture at `path` (see loadJpegPicture). A picture the decoder refuses raises
    // its failure and leaves the box empty.
    void setPicture(const QString& path);

    // The picture's size in logical pixels (the designed size); empty while there is none.
    QSize pictureSize() const;

protected:
    bool event(QEvent* event) override;

private:
    void loadForScreen();

    QString path_;
};

} // namespace platform
