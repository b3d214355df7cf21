#include "squares/SquaresLook.h"

#include <algorithm>
#include <condition_variable>
#include <map>
#include <mutex>

#include "gui/Pictures.h"

// At namespace scope, as Q_INIT_RESOURCE needs. The pictures live in a static library, and
// the linker keeps no resource initialiser that nothing calls.
static void InitSquaresResources() {
    Q_INIT_RESOURCE(squares);
}

namespace vum {

namespace {

QImage RenderPicture(const QString& name) {
    static const bool initialised = (InitSquaresResources(), true);
    (void)initialised;
    return SvgImage(QStringLiteral(":/squares/images/") + name + QStringLiteral(".svg"));
}

// Pictures rendered ahead of need: the names being rendered, and those done until taken.
struct Prepared {
    std::mutex mutex;
    std::condition_variable done;
    std::vector<QString> pending;
    std::map<QString, QImage> pictures;
};

Prepared& PreparedPictures() {
    static Prepared prepared;
    return prepared;
}

}  // namespace

QImage SquaresPicture(const QString& name) {
    Prepared& prepared = PreparedPictures();
    {
        std::unique_lock lock(prepared.mutex);
        prepared.done.wait(lock, [&] {
            return std::find(prepared.pending.begin(), prepared.pending.end(), name) == prepared.pending.end();
        });
        if (const auto found = prepared.pictures.find(name); found != prepared.pictures.end()) {
            QImage picture = found->second;
            prepared.pictures.erase(found);
            return picture;
        }
    }
    return RenderPicture(name);
}

std::jthread PreparePictures(std::vector<QString> names) {
    Prepared& prepared = PreparedPictures();
    {
        const std::lock_guard lock(prepared.mutex);
        prepared.pending.insert(prepared.pending.end(), names.begin(), names.end());
    }
    return std::jthread([&prepared, names = std::move(names)] {
        for (const QString& name : names) {
            QImage picture = RenderPicture(name);
            const std::lock_guard lock(prepared.mutex);
            prepared.pictures.emplace(name, std::move(picture));
            prepared.pending.erase(std::find(prepared.pending.begin(), prepared.pending.end(), name));
            prepared.done.notify_all();
        }
    });
}

}  // namespace vum
