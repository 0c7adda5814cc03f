#include "config/core/MenuCommandTable.h"

namespace commands {

namespace {

constexpr std::uint8_t C = kCtrlKey, P = kPlainKey, S = kShiftKey, CS = kCtrlShiftKey, A = kAltKey;
constexpr std::uint16_t F(int n) { return static_cast<std::uint16_t>(0x6F + n); }  // F1 = 0x70
constexpr std::uint16_t kLeft = 0x25, kRight = 0x27, kPageUp = 0x21, kPageDown = 0x22, kSpace = 0x20;
#define SEP {"-", 0, 0, 0}

const MenuItemDef kFile[] = {
    {"新規作成(&N)", C, 'N', 32777},
    {"開く(&O)", C, 'O', 32779},
    {"閉じる(&C)", 0, 0, 32780},
    SEP,
    {"上書き保存(&S)", C, 'S', 32781},
    {"名前を付けて保存(&A)", 0, 0, 32782},
    {"すべて保存(&L)", 0, 0, 32783},
    SEP,
    {"ファイルリストを開く(&F)", 0, 0, 32832},
    {"ファイルリストとして保存(&L)", 0, 0, 32830},
    SEP,
    {"保存時の文字コード(&H)", 0, 0, 4},
    {"読込時の文字コード(&R)", 0, 0, 40022},
    {"SHIFT JIS(&S)", 0, 0, 40023},
    {"JIS(&J)", 0, 0, 40024},
    {"EUC(&E)", 0, 0, 40026},
    {"保存時の改行コード(&R)", 0, 0, 4},
    {"読込時の改行コード(&R)", 0, 0, 40069},
    {"CRLF(F&)", 0, 0, 40070},
    {"CR(&C)", 0, 0, 40071},
    {"LF(&L)", 0, 0, 40072},
    SEP,
    {"ブックマークの設定(&B)", 0, 0, 0},
    {"ブックマークへ移動(&J)", 0, 0, 0},
    SEP,
    {"終了(&X)", 0, 0, 57665},
};

const MenuItemDef kEdit[] = {
    {"元に戻す(&U)", C, 'Z', 32771},
    {"やり直し(&R)", C, 'Y', 32772},
    SEP,
    {"切り取り(&T)", C, 'X', 32773},
    {"コピー(&C)", C, 'C', 32774},
    {"貼り付け(&P)", C, 'V', 32775},
    {"削除(&D)", 0, 0, 40011},
    SEP,
    {"すべて選択(&L)", C, 'A', 40027},
    SEP,
    {"検索(&F)", C, 'F', 40034},
    {"次を検索(&N)", P, F(3), 32827},
    {"置換(&E)", C, 'H', 40035},
    {"行指定(&G)", C, 'G', 40066},
    SEP,
    {"高度な操作(&A)", 0, 0, 7},
    {"行頭末に文字列を挿入(&I)", 0, 0, 40064},
    SEP,
    {"大文字変換(&U)", 0, 0, 40032},
    {"小文字変換(&L)", 0, 0, 40033},
    SEP,
    {"TABを空白に変換(&S)", 0, 0, 40063},
    {"半角カナを全角カナに変換(&H)", 0, 0, 32829},
    SEP,
    {"入力アシスト(&A)", CS, kSpace, 32822},
    {"属性アシスト(&M)", S, kSpace, 32823},
    {"値アシスト(&V)", 0, 0, 32824},
};

const MenuItemDef kView[] = {
    {"ツール バー(&T)", 0, 0, 5},
    {"標準のボタン(&S)", 0, 0, 32787},
    {"アドレス バー(&A)", 0, 0, 32788},
    SEP,
    {"ツール バーを固定する(&B)", 0, 0, 32826},
    {"ユーザー設定(&C)", 0, 0, 32796},
    {"ステータス バー(&S)", 0, 0, 32786},
    SEP,
    {"ファイル ツリー(&F)", 0, 0, 32789},
    {"登録タグ(&R)", 0, 0, 32790},
    SEP,
    {"内部ブラウザ(&B)", 0, 0, 6},
    {"前に戻る(&B)", A, kLeft, 40073},
    {"次に進む(&F)", A, kRight, 40074},
    {"最新の情報に更新(&N)", P, F(4), 40075},
    SEP,
    {"再読み込み(&Y)", P, F(2), 32797},
    {"ローカルサーバ(&L)", P, F(9), 32839},
};

const MenuItemDef kTools[] = {
    {"Internet Explorer(&I)", P, F(5), 40046},
    {"Netscape(&N)", P, F(6), 40047},
    {"指定ブラウザ(&V)", P, F(7), 40045},
    {"内部ブラウザ(&B)", P, F(8), 32803},
    SEP,
    {"カスタマイズ(&C)", 0, 0, 32810},
    {"オプション(&O)", 0, 0, 32776},
};

const MenuItemDef kHelp[] = {
    {"トピックの検索(&H)", P, F(1), 32778},
    {"キーボードマップ(&K)", 0, 0, 40067},
    SEP,
    {"バージョン情報(&A)", 0, 0, 57664},
};

const MenuItemDef kKeysOnly[] = {
    {"前のタブを開く(&P)", C, kPageUp, 61209},
    {"次のタブを開く(&N)", C, kPageDown, 61208},
    {"ファイル ツリーに移動(&F)", C, 'T', 61206},
    {"アドレスバーに移動(&A)", A, 'D', 61205},
    {"登録タグに移動(&C)", C, 'R', 61207},
    {"文字コード設定変更(&K)", 0, 0, 61204},
    {"改行コード設定変更(&R)", 0, 0, 40068},
};

#undef SEP

template <std::size_t N>
constexpr MenuCategoryDef Cat(const char* label, const MenuItemDef (&items)[N]) {
    return MenuCategoryDef{label, items, N};
}

const MenuCategoryDef kCategories[kCategoryCount] = {
    Cat("ファイル(&F)", kFile),
    Cat("編集(&E)", kEdit),
    Cat("表示(&V)", kView),
    MenuCategoryDef{"登録タグ(&R)", nullptr, 0},
    Cat("ツール(&T)", kTools),
    Cat("ヘルプ(&H)", kHelp),
    Cat("メニュー以外(&E)", kKeysOnly),
};

bool IsCommandItem(const MenuItemDef& item) { return !IsSeparator(item) && !OpensSubmenu(item); }

}  // namespace

const MenuCategoryDef& Category(std::size_t index) {
    return kCategories[index < kCategoryCount ? index : kCategoryCount - 1];
}

const MenuItemDef* FindItem(unsigned command) {
    for (const MenuCategoryDef& cat : kCategories) {
        for (std::size_t i = 0; i < cat.count; ++i) {
            if (IsCommandItem(cat.items[i]) && cat.items[i].command == command) return &cat.items[i];
        }
    }
    return nullptr;
}

std::size_t CommandCount() {
    std::size_t n = 0;
    for (const MenuCategoryDef& cat : kCategories) {
        for (std::size_t i = 0; i < cat.count; ++i) n += IsCommandItem(cat.items[i]) ? 1 : 0;
    }
    return n;
}

unsigned CommandAt(std::size_t index) {
    for (const MenuCategoryDef& cat : kCategories) {
        for (std::size_t i = 0; i < cat.count; ++i) {
            if (!IsCommandItem(cat.items[i])) continue;
            if (index == 0) return cat.items[i].command;
            --index;
        }
    }
    return 0;
}

}  // namespace commands
