// Run-time class information, dynamic creation and the typed arrays.
#include <gtest/gtest.h>

#include <afxcoll.h>

#include <memory>

#include <string.h>

namespace {

class CShape : public CObject
{
    DECLARE_DYNAMIC(CShape)
};
IMPLEMENT_DYNAMIC(CShape, CObject)

class CCircle : public CShape
{
    DECLARE_DYNCREATE(CCircle)

public:
    CCircle() : m_nRadius(3) {}
    int m_nRadius;
};
IMPLEMENT_DYNCREATE(CCircle, CShape)

class CLabel : public CObject
{
    DECLARE_DYNCREATE(CLabel)
};
IMPLEMENT_DYNCREATE(CLabel, CObject)

TEST(RuntimeClassTest, NamesAndBasesFollowTheDeclarations)
{
    CCircle circle;
    EXPECT_STREQ(circle.GetRuntimeClass()->m_lpszClassName, "CCircle");
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_pBaseClass, RUNTIME_CLASS(CShape));
    EXPECT_EQ(RUNTIME_CLASS(CShape)->m_pBaseClass, RUNTIME_CLASS(CObject));
    EXPECT_EQ(RUNTIME_CLASS(CObject)->m_pBaseClass, nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CCircle)->m_nObjectSize, (int)sizeof(CCircle));

    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CShape)));
    EXPECT_TRUE(circle.IsKindOf(RUNTIME_CLASS(CObject)));
    EXPECT_FALSE(circle.IsKindOf(RUNTIME_CLASS(CLabel)));
    EXPECT_FALSE(RUNTIME_CLASS(CShape)->IsDerivedFrom(RUNTIME_CLASS(CCircle)));
}

TEST(RuntimeClassTest, OnlyDynCreateClassesAreCreatable)
{
    std::unique_ptr<CObject> created(RUNTIME_CLASS(CCircle)->CreateObject());
    ASSERT_NE(created, nullptr);
    EXPECT_TRUE(created->IsKindOf(RUNTIME_CLASS(CCircle)));
    EXPECT_EQ(static_cast<CCircle*>(created.get())->m_nRadius, 3);

    EXPECT_EQ(RUNTIME_CLASS(CShape)->CreateObject(), nullptr);
    EXPECT_EQ(RUNTIME_CLASS(CObject)->CreateObject(), nullptr);
}

TEST(ArrayTest, ByteArrayGrowsZeroFilledAndStaysContiguous)
{
    CByteArray bytes;
    EXPECT_EQ(bytes.GetSize(), 0);
    EXPECT_EQ(bytes.GetData(), nullptr);
    EXPECT_EQ(bytes.Add(0x41), 0);
    EXPECT_EQ(bytes.Add(0x42), 1);
    bytes.SetSize(4);
    EXPECT_EQ(bytes.GetUpperBound(), 3);
    bytes[3] = 0x44;
    EXPECT_EQ(memcmp(bytes.GetData(), "AB\0D", 4), 0);
    bytes.SetAt(2, 0x43);
    EXPECT_EQ(bytes.GetAt(2), 0x43);
    bytes.RemoveAll();
    EXPECT_EQ(bytes.GetSize(), 0);
}

TEST(ArrayTest, StringArrayKeepsCopies)
{
    CStringArray strings;
    CString text("first");
    strings.Add(text);
    strings.Add("second");
    text = "changed";
    strings.SetSize(3);
    ASSERT_EQ(strings.GetSize(), 3);
    EXPECT_STREQ(strings[0], "first");
    EXPECT_STREQ(strings.GetAt(1), "second");
    EXPECT_TRUE(strings[2].IsEmpty());
}

} // namespace
