#pragma once
// Where Image elements get their pictures.
//
// The sheets name pictures by a file name in the program's data folder. They
// were written on a system that ignores the case of names and separates
// folders with "\", so a name is cut after its last "\" or "/" (it can never
// leave the data folder) and matched without regard to case; a symbolic link
// that leads out of the folder is refused. Each picture is
// read once per source and kept; a name that cannot be read is remembered as
// missing.

#include <map>
#include <string>

#include <QImage>
#include <QString>

namespace view {

class PictureSource {
public:
    virtual ~PictureSource() = default;
    // The picture named by an Image element's text, or nullptr when there is
    // no readable picture of that name.
    virtual const QImage* picture(const QString& name) = 0;
};

// The part of an Image element's name after its last "\" or "/".
QString pictureFileName(const QString& name);

class DataFolderPictures : public PictureSource {
public:
    // Pictures in `folder`; the program's data folder when empty.
    explicit DataFolderPictures(QString folder = {});
    const QImage* picture(const QString& name) override;

    // Pictures larger than this are not read (in megabytes of decoded image).
    static constexpr int kAllocationLimitMb = 64;

private:
    QString folder_;
    std::map<QString, QImage> cache_;
};

}  // namespace view
