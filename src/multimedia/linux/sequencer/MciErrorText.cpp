#include "multimedia/linux/sequencer/MciErrorText.h"

namespace sequencer {

std::u16string_view MciErrorText(mm::MCIERROR error) {
  switch (error) {
    case mm::MMSYSERR_NOERROR:
      return u"指定されたコマンドは正常に実行されました。";
    case mm::MCIERR_INVALID_DEVICE_ID:
      return u"無効なデバイス ID が使われました。MCI がデバイスを開いたときに返した ID "
             u"を使ってください。";
    case mm::MCIERR_UNRECOGNIZED_COMMAND:
      return u"このデバイスはこのコマンドを認識できません。";
    case mm::MCIERR_HARDWARE:
      return u"音声出力を開けないか、音声出力が止まっています。サウンド サーバー (PulseAudio "
             u"または PipeWire) かサウンド デバイスが使えるか確認してください。";
    case mm::MCIERR_INVALID_DEVICE_NAME:
      return u"指定されたデバイスの種類は使えません。MIDI ファイルには Sequencer "
             u"を指定してください。";
    case mm::MCIERR_OUT_OF_MEMORY:
      return u"メモリが不足しています。ほかのアプリケーションを終了してから、もう一度実行してくださ"
             u"い。";
    case mm::MCIERR_CANNOT_LOAD_DRIVER:
      return u"MIDI シンセサイザーを準備できません。サウンドフォントのパッケージ "
             u"timgm6mb-soundfont か fluid-soundfont-gm がインストールされているか、環境変数 "
             u"KALVIO_SOUNDFONT がサウンドフォント (.sf2) を指しているか確認してください。";
    case mm::MCIERR_MISSING_PARAMETER:
      return u"このコマンドに必要なパラメーターが指定されていません。";
    case mm::MCIERR_UNSUPPORTED_FUNCTION:
      return u"MIDI シーケンサーはこの操作に対応していません。";
    case mm::MCIERR_FILE_NOT_FOUND:
      return u"指定されたファイルが見つかりません。パスとファイル名を確認してください。";
    case mm::MCIERR_OUTOFRANGE:
      return u"指定された位置が範囲外です。曲の長さを超えない位置を指定してください。";
    case mm::MCIERR_FLAGS_NOT_COMPATIBLE:
      return u"同時に指定できないパラメーターが指定されました。";
    case mm::MCIERR_BAD_TIME_FORMAT:
      return u"この時間形式は使えません。MIDI シーケンサーではミリ秒を指定してください。";
    case mm::MCIERR_INVALID_FILE:
      return u"このファイルは MIDI ファイルではないか、壊れています。";
    case mm::MCIERR_NULL_PARAMETER_BLOCK:
      return u"コマンドのパラメーター レコードが指定されていません。";
    case mm::MCIERR_NONAPPLICABLE_FUNCTION:
      return u"現在の状態ではこのコマンドを実行できません。";
    case mm::MCIERR_FILENAME_REQUIRED:
      return u"ファイル名を指定してください。";
    case mm::MCIERR_EXTENSION_NOT_FOUND:
      return u"このファイルの拡張子に対応するデバイスがありません。MIDI ファイル "
             u"(.mid、.midi、.rmi) を指定してください。";
    case mm::MCIERR_SEQ_PORT_INUSE:
      return u"MIDI "
             u"シンセサイザーは別のデバイスが再生に使っています。そのデバイスを停止してから、もう一"
             u"度実行してください。";
    case mm::MCIERR_FILE_READ:
      return u"ファイルを読み込めませんでした。ファイルが使える状態か確認してください。";
  }
  return {};
}

std::u16string NoSoundFontText(std::u16string_view userChoice) {
  const std::u16string_view remedy =
      u"パッケージ timgm6mb-soundfont か fluid-soundfont-gm をインストールするか、環境変数 "
      u"KALVIO_SOUNDFONT にサウンドフォント (.sf2) のパスを指定して、Kalvio "
      u"を起動し直してください。";
  if (userChoice.empty()) {
    return u"サウンドフォントが見つからないため、音が鳴りません。" + std::u16string(remedy);
  }
  return u"環境変数 KALVIO_SOUNDFONT のサウンドフォント " + std::u16string(userChoice) +
         u" を読み込めないため、音が鳴りません。" + std::u16string(remedy);
}

}  // namespace sequencer
