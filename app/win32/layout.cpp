#include "app/win32/layout.h"

#include "app/control_ids.h"

namespace tarvin {

const std::array<ControlLayout, 10> kControls{{
    {kRegisteredLabel, ControlKind::Label, L"現在の登録ソフト", 120, 120, 1815, 255, nullptr},
    {kRegisteredList, ControlKind::List, L"", 120, 480, 1935, 4020, nullptr},
    {kDeleteListLabel, ControlKind::Label, L"削除リスト", 2640, 120, 1575, 255, nullptr},
    {kDeleteList, ControlKind::List, L"", 2640, 480, 1935, 4020, nullptr},
    {kMoveSelected, ControlKind::Button, L">", 2160, 1680, 375, 375, L"選択を削除リストに移動"},
    {kMoveSelectedBack, ControlKind::Button, L"<", 2160, 2160, 375, 375, L"選択を選択リストに戻す"},
    {kMoveAll, ControlKind::Button, L">>", 2160, 1200, 375, 375, L"全てを削除リストに移動"},
    {kMoveAllBack, ControlKind::Button, L"<<", 2160, 2640, 375, 375, L"全てを選択リストに戻す"},
    {kRunDeletionButton, ControlKind::Button, L"削除の実行", 120, 4680, 2175, 375,
     L"削除リストのＱＩＲＡ情報をご使用のＰＣから削除します"},
    {kExitButton, ControlKind::Button, L"終了", 2400, 4680, 2175, 375, L"このプログラムを終了します"},
}};

}  // namespace tarvin
