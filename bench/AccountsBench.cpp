// One card operation at full tables, from "执行" to the files written: the
// card looked up among 5000 students, the summary built, the student record
// and the log line written (the code option off, so it executes at once).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include "FullInstallation.h"
#include "accounts/AccountOperations.h"
#include "desk/Desk.h"
#include "platform/fake/FakeClock.h"
#include "platform/fake/FakeMessageBoxes.h"
#include "platform/fake/FakeRandom.h"
#include "platform/fake/FakeSingleInstance.h"
#include "platform/fake/FakeSoundPlayer.h"

namespace tarvolen::bench {
namespace {

constexpr CivilDate kToday{2026, 12, 9};

void BM_RechargeFromExecuteToFiles(benchmark::State& state) {
  std::string pattern = (std::filesystem::temp_directory_path() / "tarvolen-bench-XXXXXX").string();
  const std::filesystem::path root = std::filesystem::path(::mkdtemp(pattern.data())) / "desk";
  if (!WriteFullInstallation(root, kToday).ok()) std::abort();
  FakeClock clock{{kToday, 10, 0, 0}};
  FakeMessageBoxes boxes;
  FakeSingleInstance instance;
  FakeSoundPlayer sound;
  FakeRandom random;
  Desk desk(ProgramFolder(root), DeskServices{clock, boxes, instance, &sound, nullptr, &random});
  if (desk.StartUntilPrompt() != StartStop::Continue || !desk.ContinueLoading({})) std::abort();
  desk.prompt().select(6);
  desk.prompt().setPassword("admin");
  if (desk.ConfirmIdentity() != IdentityPrompt::Outcome::Confirmed) std::abort();
  desk.options().verificationCode = false;

  AccountOperations& ops = desk.accounts();
  const std::string card = std::to_string(desk.students()[4999].card);  // near the end of the scan
  const int32_t linesBefore = desk.log().count();
  for (auto _ : state) {
    ops.inputs().ChooseMemberOperation(0);
    ops.inputs().SetText(0, "1");
    ops.inputs().SetText(1, card);
    ops.PrepareMember();
  }
  if (desk.log().count() - linesBefore != static_cast<int32_t>(state.iterations())) {
    state.SkipWithError("not every recharge was logged");
  }
  std::filesystem::remove_all(root.parent_path());
}
BENCHMARK(BM_RechargeFromExecuteToFiles)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace tarvolen::bench
