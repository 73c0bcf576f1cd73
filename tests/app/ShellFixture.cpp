#include "tests/app/ShellFixture.h"

#include "tests/support/TleWriter.h"

#include <QFile>

namespace kiv::test {

std::string satelliteFile(int count) { return lowSatellites(count, "SAT ", 20000); }

ShellTest::ShellTest() { writeFile("sats.tle", satelliteFile(3)); }

ShellTest::~ShellTest() { app_.reset(); }

void ShellTest::writeFile(const std::string& name, const std::string& bytes) const
{
    ASSERT_TRUE(ScratchWorkspace::writeFile(name, bytes)) << name;
}

CKivApp& ShellTest::start(const std::string& profileText)
{
    profile_.parse(QByteArray::fromStdString(profileText));
    app_ = std::make_unique<CKivApp>(services_, profile_, paths_);
    app_->OnFileNew();
    return *app_;
}

bool ShellTest::run(int id) { return frame().Commands().execute(id); }

void ShellTest::activate(ViewKind kind)
{
    for (CChildFrame* child : frame().ChildFrames()) {
        if (child->Kind() == kind) {
            frame().MdiArea()->setActiveSubWindow(child);
            frame().SetViewMenu();
            return;
        }
    }
    FAIL() << "no frame of that kind";
}

namespace {

void collect(const QList<QAction*>& actions, int level, std::vector<std::pair<int, QAction*>>& out)
{
    for (QAction* a : actions) {
        out.emplace_back(level, a);
        if (a->menu())
            collect(a->menu()->actions(), level + 1, out);
    }
}

std::vector<std::pair<int, QAction*>> barActions(CMainFrame& frame)
{
    std::vector<std::pair<int, QAction*>> out;
    for (QAction* a : frame.menuBar()->actions()) {
        if (a->menu())
            frame.Commands().updateMenu(a->menu());
    }
    collect(frame.menuBar()->actions(), 0, out);
    return out;
}

} // namespace

std::vector<kiv::MenuEntry> ShellTest::menuBarLines()
{
    std::vector<kiv::MenuEntry> lines;
    const auto actions = barActions(frame());
    texts_.clear();
    texts_.reserve(actions.size());
    for (const auto& [level, a] : actions) {
        texts_.push_back(a->text());
        const int id = a->menu() ? kiv::kPopup : a->isSeparator() ? kiv::kSeparator : a->data().toInt();
        lines.push_back({level, id, nullptr});
    }
    return lines;
}

QAction* ShellTest::menuItem(int id)
{
    for (const auto& [level, a] : barActions(frame())) {
        if (!a->menu() && !a->isSeparator() && a->data().toInt() == id)
            return a;
    }
    return nullptr;
}

} // namespace kiv::test
