#include "app/svc/scene.h"

#include <stdexcept>

#include "app/base/report_log.h"
#include "app/base/shell_globals.h"

bool CatchText(const std::function<void()>& f, std::string& text) {
  try {
    f();
    return true;
  } catch (const char* s) {
    text = s ? s : "";
  } catch (const std::string& s) {
    text = s;
  } catch (const std::bad_alloc&) {
    throw;
  } catch (const std::exception& e) {
    text = e.what();
  }
  return false;
}

int cScene::RunPhases() {
  if (m_nPhase == -1) {
    std::string text;
    // The text also reaches the report log: a game that closes by itself must say why.
    if (!CatchText([this] { Init(); }, text)) {
      ReportLogEC("%s", text.c_str());
      RequestClose();
    }
    m_nPhase = 0;
  }
  if (m_nPhase < 0 || static_cast<size_t>(m_nPhase) >= m_PhaseTable.size() || !m_PhaseTable[m_nPhase]) return 0;
  return m_PhaseTable[m_nPhase](this);
}
