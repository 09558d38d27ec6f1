// Two desktops' work on one list put together: what each added, deleted and changed survives,
// what both changed is decided one way and the other version reported, nothing is doubled.
#include "entry_merge.h"

#include <gtest/gtest.h>

#include "todo_fixture.h"  // prints entries readably

namespace todo {
namespace {

Entry entry(const std::string& text, const std::string& priority = " 1",
            const std::string& date = "12-03-2026", const std::string& time = "10:00",
            const std::string& status = " 6") {
    return {text, priority, "10-03-2026", date, time, status};
}

std::vector<std::string> texts(const std::vector<Entry>& entries) {
    std::vector<std::string> out;
    for (const Entry& e : entries) out.push_back(e.text);
    return out;
}

using Texts = std::vector<std::string>;

const std::vector<Entry> BASE = {entry("Ring Bob", " 1"), entry("Order rails", " 2"),
                                 entry("Invoice Clark", " 3"), entry("Survey Mill Lane", " 4")};

TEST(EntryMerge, AddsAndDeletesOfBothSidesAllSurvive) {
    std::vector<Entry> here = BASE;
    here.erase(here.begin() + 1);               // deleted here: Order rails
    here.push_back(entry("Added here", " 4"));  // and one added
    std::vector<Entry> there = BASE;
    there.erase(there.begin() + 3);  // deleted there: Survey Mill Lane
    there.push_back(entry("Added there", " 4", "12-03-2026", "16:45"));
    const MergedList merged = merge_entries(BASE, here, there);
    EXPECT_EQ(texts(merged.entries),
              (Texts{"Ring Bob", "Invoice Clark", "Added there", "Added here"}));
    EXPECT_TRUE(merged.lost.empty());
    EXPECT_EQ(merged.screen_rows, (std::vector<int>{0, 1, -1, 3}))
        << "each row shown is followed to its new place; the one deleted there is gone";
}

TEST(EntryMerge, DifferentFieldsOfOneEntryChangedOnEachSideAreBothKept) {
    std::vector<Entry> here = BASE;
    here[2].priority = " 1";  // "+" pressed here
    here[0].status = " 4";    // the tick here
    std::vector<Entry> there = BASE;
    there[2].text = "Invoice Clark, 2 panels";  // changed there
    there[3].date = "--Tue";
    const MergedList merged = merge_entries(BASE, here, there);
    ASSERT_EQ(merged.entries.size(), 4u);
    EXPECT_EQ(merged.entries[2].text, "Invoice Clark, 2 panels");
    EXPECT_EQ(merged.entries[2].priority, " 1");
    EXPECT_EQ(merged.entries[3].date, "--Tue");
    EXPECT_EQ(merged.entries[0].status, " 4") << "the status worked out here stands";
    EXPECT_TRUE(merged.lost.empty());
}

TEST(EntryMerge, OneFieldChangedOnBothSidesKeepsTheSavedOneAndReportsTheOther) {
    std::vector<Entry> here = BASE;
    here[1].time = "11:30";
    std::vector<Entry> there = BASE;
    there[1].time = "15:00";
    const MergedList merged = merge_entries(BASE, here, there);
    EXPECT_EQ(merged.entries[1].time, "15:00") << "the version saved first stands";
    ASSERT_EQ(merged.lost.size(), 1u);
    EXPECT_EQ(merged.lost[0].entry.time, "11:30");
    EXPECT_EQ(merged.lost[0].why, LostVersion::Why::ChangedOnBoth);
    // Both changed it alike: nothing to report.
    there[1].time = "11:30";
    EXPECT_TRUE(merge_entries(BASE, here, there).lost.empty());
}

TEST(EntryMerge, ADeletionWinsOverAChangeAndTheChangedVersionIsReported) {
    std::vector<Entry> here = BASE;
    here[0].text = "Ring Bob about the roof";
    here.erase(here.begin() + 3);  // deleted here
    std::vector<Entry> there = BASE;
    there.erase(there.begin());  // deleted there
    there[2].time = "08:00";     // Survey Mill Lane, changed there
    const MergedList merged = merge_entries(BASE, here, there);
    EXPECT_EQ(texts(merged.entries), (Texts{"Order rails", "Invoice Clark"}));
    ASSERT_EQ(merged.lost.size(), 2u);
    EXPECT_EQ(merged.lost[0].why, LostVersion::Why::DeletedHere);
    EXPECT_EQ(merged.lost[0].entry.time, "08:00");
    EXPECT_EQ(merged.lost[1].why, LostVersion::Why::DeletedElsewhere);
    EXPECT_EQ(merged.lost[1].entry.text, "Ring Bob about the roof");
    // A status is no person's change: an entry only re-rated by a tick goes without a word.
    here = BASE;
    here[0].status = " 3";
    EXPECT_TRUE(merge_entries(BASE, here, there).lost.empty());
}

TEST(EntryMerge, AnEntryChangedInSeveralWaysIsStillTheSameEntry) {
    std::vector<Entry> here = BASE;
    here[1].text = "Order rails and clamps";
    here[1].date = "20-03-2026";
    here[1].priority = " 7";
    const MergedList merged = merge_entries(BASE, here, BASE);
    EXPECT_EQ(merged.entries, here) << "not a deletion and an addition";
    // Changed so beside an entry deleted here: still that entry, and not back from the dead
    // when the other desktop deleted it meanwhile.
    here = BASE;
    here[1].text = "Order rails and clamps";
    here[1].date = "20-03-2026";
    here.erase(here.begin() + 2);
    std::vector<Entry> without = BASE;
    without.erase(without.begin() + 1);
    EXPECT_EQ(texts(merge_entries(BASE, here, without).entries),
              (Texts{"Ring Bob", "Survey Mill Lane"}));
    // The last entry too, changed here and deleted there: it does not come back as new.
    here = BASE;
    here[3].text = "Survey Mill Lane again";
    here[3].time = "07:30";
    std::vector<Entry> there = BASE;
    there.pop_back();
    const MergedList gone = merge_entries(BASE, here, there);
    EXPECT_EQ(gone.entries, there);
    ASSERT_EQ(gone.lost.size(), 1u);
    EXPECT_EQ(gone.lost[0].why, LostVersion::Why::DeletedElsewhere);
    // Alike entries pair with alike entries in their order: nothing doubled, nothing dropped.
    const std::vector<Entry> twins = {entry("Ring Bob"), entry("Ring Bob"), entry("Ring Bob")};
    std::vector<Entry> one_gone = twins;
    one_gone.pop_back();
    EXPECT_EQ(merge_entries(twins, one_gone, twins).entries.size(), 2u);
    EXPECT_EQ(merge_entries(twins, twins, one_gone).entries.size(), 2u);
}

TEST(EntryMerge, ASortHereSortsTheMergedListWithTheOtherSidesAdditions) {
    const std::vector<Entry> base = {entry("c", " 3"), entry("a", " 1"), entry("b", " 2")};
    const std::vector<Entry> here = {entry("a", " 1"), entry("b", " 2"), entry("c", " 3")};
    std::vector<Entry> there = base;
    there.push_back(entry("new", " 0"));
    const MergedList merged = merge_entries(base, here, there);
    EXPECT_EQ(texts(merged.entries), (Texts{"new", "a", "b", "c"}));
    EXPECT_EQ(merged.screen_rows, (std::vector<int>{1, 2, 3}));
    // Without a sort here the file's order stands.
    EXPECT_EQ(texts(merge_entries(base, base, there).entries), (Texts{"c", "a", "b", "new"}));
}

TEST(EntryMerge, PairingFollowsWhatTheFileKeeps) {
    // A priority-one status is stored as 2 and a priority is stored rounded: no change at all.
    std::vector<Entry> shown = BASE;
    shown[0].status = " 1";
    std::vector<Entry> stored = BASE;
    stored[0].status = " 2";
    shown[1].priority = " 2.00";
    EXPECT_TRUE(alike_in_file(shown, stored));
    EXPECT_FALSE(changed_by_hand(stored[1], shown[1]));
    EXPECT_EQ(pair_entries(stored, shown), (std::vector<int>{0, 1, 2, 3}));
}

}  // namespace
}  // namespace todo
