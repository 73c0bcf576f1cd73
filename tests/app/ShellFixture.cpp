#include "tests/app/ShellFixture.h"

#include "tests/support/TleWriter.h"

#include <QFile>

namespace kiv::test {

std::string satelliteFile(int count)
{
    std::string text;
    for (int i = 0; i < count; ++i) {
        Elements e;
        e.catalogNumber = 20000 + i;
        e.raanDeg = (i * 37) % 360;
        e.meanAnomalyDeg = (i * 97) % 360;
        text += tleText(makeTle("SAT " + std::to_string(i), e));
    }
    return text;
}

ShellTest::ShellTest()
{
    const QString root = dir_.path();
    paths_ = std::make_unique<platform::DataPaths>(root, root + "/user", root + "/bundled");
    profile_.setPath(root + "/kiv.ini");
    ui_.clock.setNow(platform::Time::fromUtc({2024, 4, 10, 12, 0, 0}));
    writeFile("sats.tle", satelliteFile(3));
}

ShellTest::~ShellTest() { app_.reset(); }

void ShellTest::writeFile(const std::string& name, const std::string& bytes) const
{
    QFile file(path(QString::fromStdString(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

CKivApp& ShellTest::start(const std::string& profileText)
{
    profile_.parse(QByteArray::fromStdString(profileText));
    app_ = std::make_unique<CKivApp>(services_, profile_, *paths_);
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

std::vector<res::MenuEntry> ShellTest::menuBarLines()
{
    std::vector<res::MenuEntry> lines;
    const auto actions = barActions(frame());
    texts_.clear();
    texts_.reserve(actions.size());
    for (const auto& [level, a] : actions) {
        texts_.push_back(a->text());
        const int id = a->menu() ? res::kPopup : a->isSeparator() ? res::kSeparator : a->data().toInt();
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
