#include "framework/core/FileError.h"

namespace fileerr {

const char* Message(Cause cause) {
    switch (cause) {
    case Cause::None: return "";
    case Cause::NotFound: return "\nが見つかりません。";
    case Cause::BadPath: return "\nのパスが正しくないか、フォルダが見つかりません。";
    case Cause::TooManyOpen: return "\nを開けません。開いているファイルが多すぎます。";
    case Cause::AccessDenied: return "\nへのアクセスが拒否されました。";
    case Cause::InvalidFile: return "\nに無効なファイル ハンドルが使われました。";
    case Cause::RemoveCurrentDir: return "\nは現在のフォルダなので削除できません。";
    case Cause::DirectoryFull: return "\nを作成できません。フォルダがいっぱいです。";
    case Cause::BadSeek: return "\nのシーク中にエラーが発生しました。";
    case Cause::HardIO: return "\nへのアクセス中にハードウェア I/O エラーが発生しました。";
    case Cause::SharingViolation: return "\nへのアクセス中に共有違反が発生しました。";
    case Cause::LockViolation: return "\nへのアクセス中にロック違反が発生しました。";
    case Cause::DiskFull: return "\nへの書き込み中にディスクがいっぱいになりました。";
    case Cause::EndOfFile: return "\nの終わりを越えてアクセスしようとしました。";
    case Cause::OutOfMemory: return "\nを処理するためのメモリが足りません。";
    case Cause::Generic: break;
    }
    return "\nへのアクセス中に予期しないエラーが発生しました。";
}

std::string FullMessage(const std::string& path, Cause cause) { return path + Message(cause); }

}  // namespace fileerr
