#include "query/QueryDesk.h"

namespace tarvolen::query {

QueryDesk::QueryDesk(Services services)
    : services_(services),
      page_(QueryPage::Services{services.feedback, services.data.students(), services.data.rooms(),
                                services.data.categories(), services.data.operationNames(), services.op.identities(),
                                services.options, services.clock}) {}

void QueryDesk::Search() {
  QueryPage::Search search = page_.MakeSearch();
  if (search.refused) return;
  grid_.Clear();
  if (search.run) {
    QueryContext ctx{services_.data.folder(), services_.data.students(), services_.data.rooms(),
                     services_.data.categories(), services_.data.operationNames()};
    for (int k = 0; k < IdentityTable::kCount; ++k) {
      ctx.identities[static_cast<size_t>(k)] = services_.op.identities()[k].name;
    }
    ctx.cardDigits = services_.options.cardDigits;
    ctx.idDigits = services_.options.idDigits;
    ctx.dividers = SaneDividers(services_.options.autumnDivider, services_.options.springDivider);
    ctx.today = services_.clock.today();
    QueryOutcome out = RunQuery(search.request, ctx);
    if (!out.readFault.empty()) services_.feedback.PushMessage("读取记录失败：" + out.readFault);
    grid_.Show(std::move(out.result), search.title);
  } else {
    // 统计: the window shows, empty, under the query's title.
    grid_.Show(nullptr, search.title);
  }
  windowShown_ = true;
  changed();
}

ExportOutcome QueryDesk::Export(FileDialogs& dialogs, WorkbookWriter& workbooks) {
  ExportOutcome out;
  if (!grid_.hasResult()) return out;
  const auto chosen = dialogs.saveFile(kExportDialogTitle, kExportFilter);
  if (!chosen) return out;
  out = ExportSelection(grid_, *chosen, services_.data.folder(), workbooks);
  services_.boxes.show("提示", out.message, out.written ? BoxIcon::Information : BoxIcon::Critical);
  return out;
}

void QueryDesk::Close() {
  grid_.Clear();
  windowShown_ = false;
  changed();
}

}  // namespace tarvolen::query
