#include "app/viewer_keys.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "common/ascii.h"
#include "common/text_table.h"

namespace vx {
namespace {

std::string Lower(const char* s) {
    std::string r;
    for (; *s; ++s) r += AsciiLower(*s);
    return r;
}

TEST(ViewerKeys, EveryCommandOnceWithItsOwnKeysAndBothTexts) {
    std::set<ViewerCommand> commands;
    std::set<std::string> keys;
    for (const ViewerKey& k : ViewerKeys()) {
        EXPECT_TRUE(commands.insert(k.command).second) << static_cast<int>(k.command);
        ASSERT_NE(k.keys[0], nullptr) << static_cast<int>(k.command);
        for (const char* key : k.keys) {
            if (key == nullptr) continue;
            EXPECT_TRUE(keys.insert(Lower(key)).second) << key << " is bound twice";
        }
        EXPECT_FALSE(LoadStrUtf8(k.textId).empty()) << k.textId;
        EXPECT_FALSE(LoadStrUtf8(k.textId + kEnglish).empty()) << k.textId;
    }
    EXPECT_EQ(commands.size(), static_cast<size_t>(ViewerCommand::Help) + 1);
}

TEST(ViewerKeys, EveryGestureHasANameAndAnEffectInBothLanguages) {
    EXPECT_FALSE(ViewerGestures().empty());
    for (const ViewerGesture& g : ViewerGestures())
        for (int id : {g.nameId, g.textId}) {
            EXPECT_FALSE(LoadStrUtf8(id).empty()) << id;
            EXPECT_FALSE(LoadStrUtf8(id + kEnglish).empty()) << id;
        }
}

}  // namespace
}  // namespace vx
