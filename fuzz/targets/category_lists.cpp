// The input cut at fixed places into the four list files, each as long as
// the records start-up reads from it: hy.dat (7 levels), lj.dat (10
// grades), bj.dat (31 classes), and the rest zy.dat (31 majors).
#include "FuzzFolder.h"
#include "store/Tables.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tarvolen;
  const auto& folder = fuzz::FuzzFolder::Get();
  const ProgramFolder& desk = folder.desk();
  fuzz::FuzzInput input(data, size);
  fuzz::FuzzFolder::Write(desk.levels(), input.take(CategoryLists::kLevels * kCategoryRecordLength));
  fuzz::FuzzFolder::Write(desk.grades(), input.take(CategoryLists::kLoadedGrades * kCategoryRecordLength));
  fuzz::FuzzFolder::Write(desk.classes(), input.take(CategoryLists::kNames * kCategoryRecordLength));
  fuzz::FuzzFolder::Write(desk.majors(), input.rest());
  CategoryLists lists;
  if (!lists.load(desk).ok()) return 0;
  for (int i = 0; i < CategoryLists::kLevels; ++i) (void)lists.levelRow(i);
  return 0;
}
