#include "TreeFixture.h"

#include "engine/ContentSearch.h"

using namespace engine;

namespace {

class ContentSearchTest : public testing_support::TreeFixture {
protected:
    bool Contains(const std::string &content, const char *phrase, TContentSearchOptions options = 0)
    {
        MakeFile("f", content);
        return FileContainsPhrase(-1, Abs("f").c_str(), MakeStringVariants(QString::fromUtf8(phrase)),
                                  options);
    }
};

TEST_F(ContentSearchTest, Placeholder)
{
    EXPECT_TRUE(Contains("xabcx", "abc"));
}

} // namespace
