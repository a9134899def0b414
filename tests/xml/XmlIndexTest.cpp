// Element index storage: the fresh state and the growth rule.
#include <gtest/gtest.h>

#include "tests/xml/XmlTestSupport.h"

TEST(XmlIndex, FreshDocumentIsTheEmptyDocument) {
    CXmlDocument doc;
    EXPECT_EQ(U8(doc.Report()), "Empty document");
    EXPECT_EQ(doc.NextFree(), 1);
    EXPECT_EQ(doc.Capacity(), 8);
    const ElementRecord& r = doc.Record(0);
    EXPECT_EQ(r.start, 0);
    EXPECT_EQ(r.length, 0);
    EXPECT_EQ(r.firstChild, 0);
    EXPECT_EQ(r.flags, 0u);
    EXPECT_EQ(doc.ParentPos() | doc.CurrentPos() | doc.ChildPos() | doc.CurrentKind(), 0);
    EXPECT_FALSE(doc.IsWellFormed());
}

TEST(XmlIndex, GrowWithZeroAsksForHalfAgain) {
    CXmlDocument doc;
    ASSERT_TRUE(Parse(doc, "<r><a/><a/><a/><a/><a/><a/><a/></r>"));  // 8 elements
    ASSERT_EQ(doc.NextFree(), 9);
    ASSERT_EQ(doc.Capacity(), 12);  // grew once from 8 while indexing
    doc.GrowIndex(0);
    EXPECT_EQ(doc.Capacity(), 13);
}

TEST(XmlIndex, SecondBlockIsExactlyTheRestAndRecordsSurvive) {
    CXmlDocument doc;
    doc.GrowIndex(65536);
    ASSERT_EQ(doc.Capacity(), 65536);
    doc.Record(5).start = 55;
    doc.Record(65535).start = 65535;
    doc.GrowIndex(100000);
    EXPECT_EQ(doc.Capacity(), 100000);
    doc.Record(99999).start = 7;  // the second block holds 34,464 records
    EXPECT_EQ(doc.Record(5).start, 55);
    EXPECT_EQ(doc.Record(65535).start, 65535);
    EXPECT_EQ(doc.Record(99999).start, 7);
}

TEST(XmlIndex, OneGrowthAddsAtMostOneBlock) {
    CXmlDocument doc;
    doc.Record(3).start = 33;
    doc.GrowIndex(200000);
    EXPECT_EQ(doc.Capacity(), 131072);
    EXPECT_EQ(doc.Record(3).start, 33);  // the partial first block was filled up, records copied
    doc.Record(131071).start = 1;
    doc.GrowIndex(300000);
    EXPECT_EQ(doc.Capacity(), 196608);
    EXPECT_GE(doc.BlockSlots(), 4);
    EXPECT_EQ(doc.Record(131071).start, 1);
}

TEST(XmlIndex, SmallerWishChangesNothing) {
    CXmlDocument doc;
    doc.GrowIndex(5);
    EXPECT_EQ(doc.Capacity(), 8);
}
