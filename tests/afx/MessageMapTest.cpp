// Message maps: the most derived entry wins, base entries still count, the rest goes unhandled.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <string>

namespace {

class CBaseTarget : public CCmdTarget
{
public:
    std::string m_strCalls;

protected:
    afx_msg void OnOpen() { m_strCalls += "base-open "; }
    afx_msg void OnSave() { m_strCalls += "base-save "; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseTarget, CCmdTarget)
    ON_COMMAND(100, OnOpen)
    ON_COMMAND(101, OnSave)
END_MESSAGE_MAP()

class CDerivedTarget : public CBaseTarget
{
protected:
    afx_msg void OnOpen() { m_strCalls += "derived-open "; }
    afx_msg void OnClose() { m_strCalls += "derived-close "; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedTarget, CBaseTarget)
    ON_COMMAND(100, OnOpen)
    ON_BN_CLICKED(102, OnClose)
    ON_COMMAND(103, CBaseTarget::OnSave)
END_MESSAGE_MAP()

TEST(MessageMapTest, LookupWalksFromDerivedToBase)
{
    CDerivedTarget derived;
    EXPECT_TRUE(derived.OnCmdMsg(100, CN_COMMAND));
    EXPECT_TRUE(derived.OnCmdMsg(101, CN_COMMAND));
    EXPECT_TRUE(derived.OnCmdMsg(102, BN_CLICKED));
    EXPECT_TRUE(derived.OnCmdMsg(103, CN_COMMAND));
    EXPECT_FALSE(derived.OnCmdMsg(104, CN_COMMAND));
    EXPECT_FALSE(derived.OnCmdMsg(100, EN_CHANGE));
    EXPECT_EQ(derived.m_strCalls, "derived-open base-save derived-close base-save ");

    CBaseTarget base;
    EXPECT_TRUE(base.OnCmdMsg(100, CN_COMMAND));
    EXPECT_FALSE(base.OnCmdMsg(102, BN_CLICKED));
    EXPECT_EQ(base.m_strCalls, "base-open ");
}

} // namespace
