// SPDX-License-Identifier: AGPL-3.0-or-later
#include "database/database_view.h"

#include <gtest/gtest.h>

#include "sample_records.h"
#include "temp_folder.h"

namespace quintaro {
namespace {

class View : public ::testing::Test {
  protected:
    void SetUp() override {
        test::WriteDatabase(
            file, {{"Vail, Teodor", ""}, {"achterberg, Jorun", ""}, {"Quenby, Tavish", ""}});
        std::string error;
        auto opened = OpenDatabase(file, error);
        ASSERT_TRUE(opened) << error;
        view = *opened;
    }
    // Steps in one direction until the view stops; the record numbers visited.
    std::vector<long> Walk(int direction) {
        std::vector<long> visited{view.current};
        std::string error;
        while (StepRecord(view, direction, error)) visited.push_back(view.current);
        return visited;
    }
    test::TempFolder folder;
    std::filesystem::path file = folder.path() / "people.apd";
    DatabaseView view;
};

TEST_F(View, OpensAtTheFirstRecordAndStopsAtEitherEnd) {
    EXPECT_EQ(view.count, 3);
    EXPECT_EQ(view.current, 1);
    EXPECT_EQ(view.record.primaryName, "Vail, Teodor");
    EXPECT_EQ(Walk(+1), (std::vector<long>{1, 2, 3}));
    EXPECT_EQ(Walk(-1), (std::vector<long>{3, 2, 1}));
    EXPECT_EQ(PersonWindowCaption(view),
              "Database display window - file loaded = " + file.string() + " - 3 records");
}

TEST_F(View, AlphabeticalOrderSteps) {
    std::string error;
    ASSERT_TRUE(SetAlphabetical(view, true, error)) << error;
    ASSERT_TRUE(GoToRecord(view, 2, error));
    EXPECT_EQ(Walk(+1), (std::vector<long>{2, 3, 1}));
    ASSERT_TRUE(SetAlphabetical(view, false, error));
    EXPECT_EQ(Walk(-1), (std::vector<long>{1}));
}

TEST_F(View, RecordNumbersOutsideTheFileAreNotLoaded) {
    std::string error;
    EXPECT_FALSE(GoToRecord(view, 4, error));
    EXPECT_FALSE(GoToRecord(view, 0, error));
    EXPECT_EQ(view.current, 1);
    EXPECT_EQ(view.record.primaryName, "Vail, Teodor");
}

TEST_F(View, SaveWritesTheRecordInMemoryBack) {
    std::string error;
    ASSERT_TRUE(GoToRecord(view, 3, error));
    view.record.sex = "M";
    ASSERT_EQ(SaveCurrentRecord(view), "");
    ASSERT_TRUE(GoToRecord(view, 1, error));
    ASSERT_TRUE(GoToRecord(view, 3, error));
    EXPECT_EQ(view.record.sex, "M");
}

TEST(EmptyView, ADatabaseWithoutRecordsHasNoCurrentRecord) {
    test::TempFolder folder;
    auto file = folder.path() / "short.apd";
    test::WriteDatabase(file, {});
    std::string error;
    auto view = OpenDatabase(file, error);
    ASSERT_TRUE(view);
    EXPECT_EQ(view->current, 0);
    EXPECT_FALSE(StepRecord(*view, +1, error));
    EXPECT_NE(SaveCurrentRecord(*view), "");
}

}  // namespace
}  // namespace quintaro
