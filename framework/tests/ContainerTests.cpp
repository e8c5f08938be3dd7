#include "framework/PointerList.h"
#include "framework/StringArray.h"
#include "framework/ValueArray.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<intptr_t> Values(const ValueArray& array)
{
    return std::vector<intptr_t>(array.begin(), array.end());
}

// --- growth -----------------------------------------------------------------

TEST(ArrayGrowth, DefaultStepIsAnEighthOfTheSizeBetween4And1024)
{
    ValueArray array;
    array.SetSize(100);
    EXPECT_EQ(array.GetCapacity(), 100);
    array.Add(1);
    EXPECT_EQ(array.GetCapacity(), 112);

    ValueArray large;
    large.SetSize(8200);
    EXPECT_EQ(large.GetCapacity(), 8200);
    large.Add(1);
    EXPECT_EQ(large.GetCapacity(), 9224);

    ValueArray small;
    small.Add(1);
    EXPECT_EQ(small.GetCapacity(), 4);
    small.SetSize(5);
    EXPECT_EQ(small.GetCapacity(), 8);
    small.SetSize(50);
    EXPECT_EQ(small.GetCapacity(), 50);  // the request beats the step
}

TEST(ArrayGrowth, AStoredStepIsUsedAsIs)
{
    ValueArray array;
    array.SetSize(0, 10);
    EXPECT_EQ(array.GetGrowStep(), 10);
    array.Add(1);
    EXPECT_EQ(array.GetCapacity(), 10);
    array.SetSize(11);
    EXPECT_EQ(array.GetCapacity(), 20);
    array.SetSize(21, 1);
    EXPECT_EQ(array.GetCapacity(), 21);
    array.Add(2);
    EXPECT_EQ(array.GetCapacity(), 22);
    array.SetSize(22, -1);  // -1 keeps the stored step
    EXPECT_EQ(array.GetGrowStep(), 1);
}

TEST(ArrayGrowth, NewSlotsAreClearedAndSizeZeroFreesTheStorage)
{
    ValueArray array;
    array.SetSize(10);
    for (intptr_t& value : array)
        value = 7;
    array.SetSize(2);
    array.SetSize(10);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{7, 7, 0, 0, 0, 0, 0, 0, 0, 0}));
    array.SetSize(0);
    EXPECT_EQ(array.GetCapacity(), 0);
    EXPECT_EQ(array.Data(), nullptr);
}

TEST(ArrayGrowth, ShrinkToFit)
{
    ValueArray array;
    array.SetSize(100);
    array.Add(5);
    array.ShrinkToFit();
    EXPECT_EQ(array.GetCapacity(), 101);
    EXPECT_EQ(array[100], 5);
    array.RemoveAll();
    array.ShrinkToFit();
    EXPECT_EQ(array.GetCapacity(), 0);
}

// --- element operations -----------------------------------------------------

TEST(ValueArrayOperations, AddSetAndSetAtGrow)
{
    ValueArray array;
    EXPECT_EQ(array.Add(10), 0);
    EXPECT_EQ(array.Add(20), 1);
    array.SetAt(0, 11);
    array.SetAtGrow(4, 50);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{11, 20, 0, 0, 50}));
    int local = 0;
    array.Add(reinterpret_cast<intptr_t>(&local));  // pointers fit
    EXPECT_EQ(reinterpret_cast<int*>(array[5]), &local);
}

TEST(ValueArrayOperations, InsertAndRemove)
{
    ValueArray array;
    for (int i = 1; i <= 4; ++i)
        array.Add(i);
    array.InsertAt(1, 9, 3);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 9, 9, 9, 2, 3, 4}));
    array.InsertAt(9, 8);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 9, 9, 9, 2, 3, 4, 0, 0, 8}));
    array.RemoveAt(1, 3);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 2, 3, 4, 0, 0, 8}));
    array.RemoveAt(5, 100);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 2, 3, 4, 0}));
    array.RemoveAt(7);
    array.RemoveAt(-1);
    EXPECT_EQ(array.GetSize(), 5);

    ValueArray other;
    other.Add(100);
    other.Add(200);
    array.InsertAt(2, other);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 2, 100, 200, 3, 4, 0}));
}

TEST(ValueArrayOperations, AppendCopyAndSelfReference)
{
    ValueArray array;
    array.Add(1);
    array.Add(2);
    ValueArray other;
    other.Add(3);
    EXPECT_EQ(array.Append(other), 2);
    EXPECT_EQ(array.Append(array), 3);
    EXPECT_EQ(Values(array), (std::vector<intptr_t>{1, 2, 3, 1, 2, 3}));
    array.InsertAt(1, array);
    EXPECT_EQ(array.GetSize(), 12);
    EXPECT_EQ(array[1], 1);
    EXPECT_EQ(array[7], 2);
    other.Copy(array);
    EXPECT_EQ(Values(other), Values(array));
}

TEST(StringArrayOperations, ElementsShareTextAndReleaseIt)
{
    String text(L"element");
    StringArray array;
    array.Add(text);
    array.InsertAt(0, text, 2);
    array.SetAtGrow(5, text);
    EXPECT_EQ(RefCount(text), 5);
    EXPECT_TRUE(array[3].IsEmpty());
    EXPECT_EQ(array[0].Chars(), text.Chars());

    StringArray copy(array);
    EXPECT_EQ(RefCount(text), 9);
    copy.RemoveAll();
    array.SetSize(2);
    EXPECT_EQ(RefCount(text), 3);
    array.RemoveAt(0);
    EXPECT_EQ(RefCount(text), 2);
    array.SetSize(0);
    EXPECT_EQ(RefCount(text), 1);
}

TEST(StringArrayOperations, AddingAnElementOfTheSameArraySurvivesGrowth)
{
    StringArray array;
    array.SetSize(4);
    array.ShrinkToFit();
    array[3] = L"last";
    array.Add(array[3]);
    array.InsertAt(0, array[4]);
    EXPECT_STREQ(array[0], L"last");
    EXPECT_STREQ(array[5], L"last");
    EXPECT_STREQ(array[4], L"last");
}

// --- PointerList -------------------------------------------------------------

std::vector<intptr_t> Forward(const PointerList& list)
{
    std::vector<intptr_t> values;
    for (PointerList::Position position = list.GetHeadPosition(); position;)
        values.push_back(reinterpret_cast<intptr_t>(list.GetNext(position)));
    return values;
}

std::vector<intptr_t> Backward(const PointerList& list)
{
    std::vector<intptr_t> values;
    for (PointerList::Position position = list.GetTailPosition(); position;)
        values.push_back(reinterpret_cast<intptr_t>(list.GetPrev(position)));
    return values;
}

void* P(intptr_t value)
{
    return reinterpret_cast<void*>(value);
}

TEST(PointerListTest, AddRemoveAndIterateBothWays)
{
    PointerList list(3);
    list.AddTail(P(2));
    list.AddHead(P(1));
    list.AddTail(P(3));
    list.AddTail(P(4));
    EXPECT_EQ(list.GetCount(), 4);
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{1, 2, 3, 4}));
    EXPECT_EQ(Backward(list), (std::vector<intptr_t>{4, 3, 2, 1}));
    EXPECT_EQ(list.RemoveHead(), P(1));
    EXPECT_EQ(list.RemoveTail(), P(4));
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{2, 3}));
    list.RemoveAll();
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(list.RemoveHead(), nullptr);
    EXPECT_EQ(list.RemoveTail(), nullptr);
    EXPECT_EQ(list.GetHeadPosition(), nullptr);
}

TEST(PointerListTest, InsertBeforeAndAfterPositions)
{
    PointerList list;
    PointerList::Position two = list.AddTail(P(2));
    list.InsertBefore(two, P(1));
    PointerList::Position four = list.InsertAfter(two, P(4));
    list.InsertBefore(four, P(3));
    list.InsertAfter(four, P(5));
    list.InsertBefore(nullptr, P(0));
    list.InsertAfter(nullptr, P(6));
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(Backward(list), (std::vector<intptr_t>{6, 5, 4, 3, 2, 1, 0}));
    list.RemoveAt(four);
    list.RemoveAt(list.GetHeadPosition());
    list.RemoveAt(list.GetTailPosition());
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{1, 2, 3, 5}));
    EXPECT_EQ(Backward(list), (std::vector<intptr_t>{5, 3, 2, 1}));
}

TEST(PointerListTest, AddingWholeListsKeepsTheirOrder)
{
    PointerList list;
    list.AddTail(P(3));
    PointerList front;
    front.AddTail(P(1));
    front.AddTail(P(2));
    PointerList back;
    back.AddTail(P(4));
    back.AddTail(P(5));
    list.AddHead(front);
    list.AddTail(back);
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{1, 2, 3, 4, 5}));
    list.AddTail(list);
    list.AddHead(list);
    EXPECT_EQ(list.GetCount(), 20);
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5, 1, 2, 3, 4, 5}));
    EXPECT_EQ(Forward(front), (std::vector<intptr_t>{1, 2}));
}

TEST(PointerListTest, FindByIndexAndByData)
{
    PointerList list;
    for (intptr_t value : {7, 8, 7, 9})
        list.AddTail(P(value));
    EXPECT_EQ(list.GetAt(list.FindIndex(0)), P(7));
    EXPECT_EQ(list.GetAt(list.FindIndex(3)), P(9));
    EXPECT_EQ(list.FindIndex(4), nullptr);
    EXPECT_EQ(list.FindIndex(-1), nullptr);
    PointerList::Position first = list.Find(P(7));
    EXPECT_EQ(first, list.FindIndex(0));
    EXPECT_EQ(list.Find(P(7), first), list.FindIndex(2));
    EXPECT_EQ(list.Find(P(7), list.FindIndex(2)), nullptr);
    EXPECT_EQ(list.Find(P(42)), nullptr);
    list.SetAt(first, P(6));
    EXPECT_EQ(list.GetHead(), P(6));
    EXPECT_EQ(list.GetTail(), P(9));
}

TEST(PointerListTest, RemovedNodesAreReusedBeforeANewBlock)
{
    PointerList list(4);
    std::vector<PointerList::Position> positions;
    for (intptr_t i = 0; i < 4; ++i)
        positions.push_back(list.AddTail(P(i)));
    list.RemoveAt(positions[1]);
    list.RemoveAt(positions[2]);
    // The free chain hands back the most recently removed node first.
    EXPECT_EQ(list.AddTail(P(10)), positions[2]);
    EXPECT_EQ(list.AddHead(P(11)), positions[1]);
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{11, 0, 3, 10}));
    // One block holds four nodes next to one another; the fifth needs another block.
    PointerList::Position fifth = list.AddTail(P(12));
    EXPECT_TRUE(fifth < positions.front() || fifth > positions.back());
    EXPECT_EQ(list.GetCount(), 5);
}

TEST(PointerListTest, ManyElementsAcrossBlocks)
{
    PointerList list(7);
    for (intptr_t i = 0; i < 1000; ++i)
        list.AddTail(P(i));
    for (int i = 0; i < 500; ++i)
        list.RemoveHead();
    for (intptr_t i = 0; i < 300; ++i)
        list.AddHead(P(-i));
    EXPECT_EQ(list.GetCount(), 800);
    EXPECT_EQ(list.GetHead(), P(-299));
    EXPECT_EQ(list.GetAt(list.FindIndex(300)), P(500));
    EXPECT_EQ(list.GetTail(), P(999));
    while (!list.IsEmpty())
        list.RemoveTail();
    list.AddTail(P(1));
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{1}));
}

TEST(PointerListTest, MovingHandsTheNodesOver)
{
    PointerList list;
    list.AddTail(P(1));
    list.AddTail(P(2));
    PointerList moved(std::move(list));
    EXPECT_TRUE(list.IsEmpty());
    EXPECT_EQ(Forward(moved), (std::vector<intptr_t>{1, 2}));
    list.AddTail(P(3));
    EXPECT_EQ(Forward(list), (std::vector<intptr_t>{3}));
}

}  // namespace
