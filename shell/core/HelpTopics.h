// The help file's topics: where each command, dialog and pane is told of.
// The list is resources/help/HelpTopics.inc, which also makes the index.
#pragma once

#include <cstddef>
#include <string>

namespace help {

enum class TopicKind { Command, Dialog, Pane };

struct Topic {
    TopicKind kind;
    unsigned id;         // command or dialog template id; 0 for a pane
    const char* anchor;  // the anchor's name in the page: the id's name
    const char* page;    // file name of the page in the help file
};

std::size_t TopicCount();
const Topic& TopicAt(std::size_t index);

// "page.html#ANCHOR" of the dialog made from the template, empty when the
// help has no page for it.
std::string DialogTopic(unsigned templateId);

// The viewer's address of a topic in a help file: "file.chm::/page.html#A",
// or the help file alone for an empty topic (its default page).
std::string TopicAddress(const std::string& helpFile, const std::string& topic);

}  // namespace help
