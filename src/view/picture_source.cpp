#include "view/picture_source.h"

#include <algorithm>

#include <QFileInfo>
#include <QImageReader>

#include "platform/program_folder.h"

namespace view {

QString pictureFileName(const QString& name) {
    const qsizetype cut = std::max(name.lastIndexOf(QLatin1Char('\\')), name.lastIndexOf(QLatin1Char('/')));
    return cut < 0 ? name : name.mid(cut + 1);
}

DataFolderPictures::DataFolderPictures(QString folder)
    : folder_(folder.isEmpty() ? platform::programFile(QStringLiteral("data")) : std::move(folder)) {}

const QImage* DataFolderPictures::picture(const QString& name) {
    const QString file = pictureFileName(name);
    const QString key = file.toLower();
    auto it = cache_.find(key);
    if (it == cache_.end()) {
        QImage image;
        if (!file.isEmpty() && file != QLatin1String(".") && file != QLatin1String("..")) {
            const QString path = platform::resolveCaseInsensitive(folder_, file);
            // A link in the folder is followed only as far as it stays there.
            if (QFileInfo(path).isFile() && platform::liesInFolder(path, folder_)) {
                QImageReader reader(path);
                reader.setAllocationLimit(kAllocationLimitMb);
                image = reader.read();
            }
        }
        it = cache_.emplace(key, std::move(image)).first;
    }
    return it->second.isNull() ? nullptr : &it->second;
}

}  // namespace view
