#include "query/UtilisationComputation.h"

#include "startup/Calendar.h"

namespace tarvolen::query {

namespace {

class BuilderStepper final : public UtilisationStepper {
 public:
  BuilderStepper(UtilisationRequest request, UtilisationContext context)
      : builder_(std::move(request), std::move(context)) {}
  bool Step() override { return builder_.Step(); }
  double Progress() const override { return builder_.Progress(); }
  UtilisationReport Take() override { return builder_.Take(); }

 private:
  UtilisationBuilder builder_;
};

}  // namespace

UtilisationComputation MakeUtilisationComputation(InstallationData& data, const Options& options, Clock& clock) {
  UtilisationComputation c;
  c.defaultRequest = [&options](const CivilDate& today) {
    return DefaultUtilisationRequest(today, SaneDividers(options.autumnDivider, options.springDivider));
  };
  c.start = [&data, &options, &clock](const UtilisationRequest& request) -> std::unique_ptr<UtilisationStepper> {
    UtilisationContext context{data.folder(), data.rooms(), data.categories(), options.defaultTimeLimit, {},
                               clock.now()};
    const ActiveSessionTable& sessions = data.sessions();
    for (int i = 0; i < ActiveSessionTable::kCapacity; ++i) {
      if (sessions.at(i).room >= 1) context.running.push_back(sessions.at(i));
    }
    return std::make_unique<BuilderStepper>(request, std::move(context));
  };
  c.table = [](const UtilisationReport& report) { return UtilisationTable(report); };
  return c;
}

}  // namespace tarvolen::query
