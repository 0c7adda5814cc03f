#include "tags/core/TagDrag.h"

#include "tags/core/TagStore.h"

namespace tags {

namespace {

bool Exists(const TagStore& store, PaneItem item) {
    const auto& files = store.Files();
    if (item.file < 0 || item.file >= static_cast<int>(files.size())) return false;
    return item.tag < 0 || item.tag < static_cast<int>(files[static_cast<std::size_t>(item.file)].tags.size());
}

}  // namespace

DropPlan PlanDrop(const TagStore& store, PaneItem dragged, const PaneItem* target) {
    DropPlan plan;
    if (!target || !Exists(store, dragged) || !Exists(store, *target)) return plan;
    if (target->file == dragged.file && target->tag == dragged.tag) return plan;
    if (dragged.tag < 0) {
        if (target->tag >= 0) return plan;
        plan.move = DropMove::FileBefore;
        plan.before = target->file;
        return plan;
    }
    const auto& to = store.Files()[static_cast<std::size_t>(target->file)].tags;
    if (target->file != dragged.file && to.size() >= static_cast<std::size_t>(kMaxTags)) return plan;
    plan.toFile = target->file;
    if (target->tag < 0) {
        plan.move = DropMove::TagToFileEnd;
    } else {
        plan.move = DropMove::TagBefore;
        plan.before = target->tag;
    }
    return plan;
}

int EdgeScroll(int y, int clientHeight, int itemHeight) {
    if (itemHeight <= 0 || clientHeight <= 0) return 0;
    if (y < itemHeight) return -1;
    if (y >= clientHeight - itemHeight) return 1;
    return 0;
}

}  // namespace tags
