#include "store/key_value_document.h"

#include <gtest/gtest.h>

namespace {

kv::KeyValueDocument Doc(const std::string& text) {
    return kv::KeyValueDocument(kv::ParseKeyValueText("\xEF\xBB\xBF" + text));
}

std::string Body(const kv::KeyValueDocument& d) {
    return d.Render().substr(5);
}

TEST(KeyValueDocument, TrimsReadTextAndKeepsWrittenBackValue) {
    auto d = Doc("[Window]\r\n  Time=3  \r\n");
    d.SelectGroup("Window");
    EXPECT_EQ(d.ReadInteger("Time", 9), 3);
    EXPECT_EQ(d.ReadText("Time", "x"), "3");
    d.WriteInteger("Other", 1);
    EXPECT_EQ(Body(d), "[Window]\r\n  Time=3  \r\nOther = 1\r\n");
}

TEST(KeyValueDocument, EmptyValueIsNotTheDefault) {
    auto d = Doc("[Window]\nNumberProf\nLabel=\n");
    d.SelectGroup("window");
    EXPECT_EQ(d.ReadInteger("NumberProf", 7), 0);
    EXPECT_EQ(d.ReadDouble("NumberProf", 7.0), 0.0);
    EXPECT_EQ(d.ReadText("Label", "MP"), "");
    EXPECT_EQ(d.ReadText("Missing", "MP"), "MP");
}

TEST(KeyValueDocument, FirstOfDuplicateKeysIsReadAndWritten) {
    auto d = Doc("[G]\nTime=1\ntime=2\n");
    d.SelectGroup("G");
    EXPECT_EQ(d.ReadInteger("TIME", 0), 1);
    d.WriteInteger("TiMe", 5);
    EXPECT_EQ(Body(d), "[G]\r\nTiMe = 5\r\ntime=2\r\n");
}

TEST(KeyValueDocument, MissingGroupReadsDefaultsAndIsAppendedByTheFirstWrite) {
    auto d = Doc("Time=4\n[A]\nTime=5\n");
    EXPECT_FALSE(d.SelectGroup("Window"));
    EXPECT_EQ(d.ReadInteger("Time", -3), -3);
    EXPECT_FALSE(d.Modified());
    d.WriteInteger("Time", 1);
    d.WriteText("Name", "x");
    EXPECT_TRUE(d.Modified());
    EXPECT_EQ(Body(d), "Time=4\r\n[A]\r\nTime=5\r\n[Window]\r\nTime = 1\r\nName = x\r\n");
    // Once appended, the group is found like any other.
    EXPECT_TRUE(d.SelectGroup("WINDOW"));
    EXPECT_EQ(d.ReadText("name", ""), "x");
}

TEST(KeyValueDocument, UnnamedSectionAndGroupsDoNotSeeEachOther) {
    auto d = Doc("Top=1\n[A]\nInner=2\n");
    EXPECT_TRUE(d.SelectGroup(""));
    EXPECT_EQ(d.ReadInteger("Top", 0), 1);
    EXPECT_EQ(d.ReadInteger("Inner", 0), 0);
    d.SelectGroup("A");
    EXPECT_EQ(d.ReadInteger("Top", 0), 0);
    EXPECT_EQ(d.ReadInteger("Inner", 0), 2);
}

TEST(KeyValueDocument, WritesStayInTheirGroupBeforeTheNextGroupLine) {
    auto d = Doc("[A]\nx=1\n; note\n[B]\ny=2\n");
    d.SelectGroup("a");
    d.WriteInteger("x", 10);
    d.WriteInteger("z", 3);
    d.SelectGroup("B");
    d.WriteInteger("w", 4);
    EXPECT_EQ(Body(d), "[A]\r\nx = 10\r\n; note\r\nz = 3\r\n[B]\r\ny=2\r\nw = 4\r\n");
}

TEST(KeyValueDocument, GroupNamesWithBlanksAreTheirOwnGroups) {
    auto d = Doc("[ Window ]\nTime=1\n[Window] comment\nTime=2\n");
    d.SelectGroup("Window");
    EXPECT_EQ(d.ReadInteger("Time", 0), 2);
}

TEST(KeyValueDocument, WalkVisitsEveryGroupLineInOrder) {
    auto d = Doc("k=0\n[A]\n[]\n[a]\n[B]\nk=2\n");
    d.SelectGroup("Nope");  // a pending group is forgotten by the walk
    d.FirstGroup();
    EXPECT_EQ(d.CurrentGroupName(), "");
    EXPECT_EQ(d.ReadInteger("k", 9), 0);
    std::vector<std::string> names;
    while (d.NextGroup())
        names.push_back(d.CurrentGroupName());
    EXPECT_EQ(names, (std::vector<std::string>{"A", "", "a", "B"}));
    // At the end the walk stays on the last group.
    EXPECT_EQ(d.CurrentGroupName(), "B");
    EXPECT_EQ(d.ReadInteger("k", 9), 2);
}

TEST(KeyValueDocument, ReadTextNeverHandsOutInvalidUtf8) {
    auto d = Doc("[G]\nName=a\xFF\n");
    d.SelectGroup("G");
    EXPECT_EQ(d.ReadText("Name", ""), "a\xEF\xBF\xBD");
    d.WriteInteger("Other", 1);
    // Untouched entries keep their bytes.
    EXPECT_EQ(Body(d), "[G]\r\nName=a\xFF\r\nOther = 1\r\n");
}

}  // namespace
