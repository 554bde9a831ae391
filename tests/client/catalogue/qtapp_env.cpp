// Widget tests need one QApplication for the whole run, made before the first test.
#include <QApplication>

#include <gtest/gtest.h>

namespace {

class QtApplication final : public ::testing::Environment
{
public:
    void SetUp() override
    {
        static int argc = 1;
        static char name[] = "b2b-catalogue-test";
        static char *argv[] = {name, nullptr};
        m_app = new QApplication(argc, argv);
    }
    void TearDown() override
    {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication *m_app = nullptr;
};

[[maybe_unused]] ::testing::Environment *const g_env = ::testing::AddGlobalTestEnvironment(new QtApplication);

} // namespace
