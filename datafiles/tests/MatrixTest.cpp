#include "Matrix.h"

#include <gtest/gtest.h>

TEST(FloatMatrix, RowsAreConsecutiveInOneBlock) {
    float** m = CreateFMatrix(3, 4);
    ASSERT_NE(m, nullptr);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(m[i + 1], m[i] + 4);
    for (int k = 0; k < 12; ++k) m[0][k] = static_cast<float>(k);
    EXPECT_EQ(m[2][3], 11.0f);
    EXPECT_EQ(DeleteFMatrix(m), 0);
}

TEST(FloatMatrix, SingleRowIsTheBlockItself) {
    float** m = CreateFMatrix(1, 5);
    ASSERT_NE(m, nullptr);
    m[0][4] = 1.0f;
    EXPECT_EQ(DeleteFMatrix(m), 0);
}

TEST(FloatMatrix, DeletesAcceptNull) {
    EXPECT_EQ(DeleteFMatrix(nullptr), 1);
    DeleteIMatrix(nullptr);
    DeleteCMatrix(nullptr);
    EXPECT_EQ(DeleteFMatrix2(nullptr), 1);
}

TEST(FloatMatrix, ImpossibleSizesGiveNullNotACrash) {
    EXPECT_EQ(CreateFMatrix(0, 10), nullptr);
    EXPECT_EQ(CreateFMatrix(10, -1), nullptr);
    EXPECT_EQ(CreateFMatrix(0x7fffffffL, 0x7fffffffL), nullptr);
    EXPECT_EQ(CreateIMatrix(-3, 3), nullptr);
}

TEST(FloatMatrix, IntAndCharMatricesShareTheLayout) {
    int** im = CreateIMatrix(2, 3);
    char** cm = CreateCMatrix(2, 3);
    ASSERT_TRUE(im && cm);
    EXPECT_EQ(im[1], im[0] + 3);
    EXPECT_EQ(cm[1], cm[0] + 3);
    DeleteIMatrix(im);
    DeleteCMatrix(cm);
}

TEST(SeparateRowMatrix, ReallocKeepsRowsZeroFillsGrowthAndAddsRows) {
    float** m = CreateFMatrix2(3, 2);
    ASSERT_NE(m, nullptr);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 2; ++j) m[i][j] = static_cast<float>(10 * i + j);
    m = ReallocFMatrix(m, 5, 4, 3);
    ASSERT_NE(m, nullptr);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(m[i][0], 10.0f * i);
        EXPECT_EQ(m[i][1], 10.0f * i + 1);
        EXPECT_EQ(m[i][2], 0.0f);
        EXPECT_EQ(m[i][3], 0.0f);
    }
    ASSERT_NE(m[3], nullptr);
    ASSERT_NE(m[4], nullptr);
    m[4][3] = 1.0f;
    EXPECT_EQ(DeleteFMatrix2(m), 0);
}

TEST(SeparateRowMatrix, ShrinkThenDeleteFreesEveryAllocatedRow) {
    float** m = CreateFMatrix2(4, 3);
    m = ReallocFMatrix(m, 2, 3, 4);
    ASSERT_NE(m, nullptr);
    EXPECT_EQ(DeleteFMatrix2(m), 0); // leak check runs under the sanitizer build
}
