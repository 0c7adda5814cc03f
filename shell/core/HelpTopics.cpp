#include "shell/core/HelpTopics.h"

#include "resources/resource.h"

namespace help {

namespace {

const Topic kTopics[] = {
#define PQ_HELP_COMMAND(id, page, keyword) {TopicKind::Command, id, #id, page},
#define PQ_HELP_DIALOG(id, page, keyword) {TopicKind::Dialog, id, #id, page},
#define PQ_HELP_PANE(anchor, page, keyword) {TopicKind::Pane, 0, #anchor, page},
#include "resources/help/HelpTopics.inc"
#undef PQ_HELP_COMMAND
#undef PQ_HELP_DIALOG
#undef PQ_HELP_PANE
};

}  // namespace

std::size_t TopicCount() { return sizeof kTopics / sizeof kTopics[0]; }

const Topic& TopicAt(std::size_t index) { return kTopics[index < TopicCount() ? index : 0]; }

std::string DialogTopic(unsigned templateId) {
    for (const Topic& t : kTopics) {
        if (t.kind == TopicKind::Dialog && t.id == templateId) return std::string(t.page) + "#" + t.anchor;
    }
    return std::string();
}

std::string TopicAddress(const std::string& helpFile, const std::string& topic) {
    return topic.empty() ? helpFile : helpFile + "::/" + topic;
}

}  // namespace help
