<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ja">
<context>
    <name>velmora2</name>
    <message>
        <source>ｵｼﾛｽｺｰﾌﾟ</source>
        <translation>Scope</translation>
    </message>
    <message>
        <source>FFTｱﾅﾗｲｻﾞ</source>
        <translation>FFT</translation>
    </message>
    <message>
        <source>ﾈｯﾄﾜｰｸ解析</source>
        <translation>Network</translation>
    </message>
    <message>
        <source>ｵﾌﾟｼｮﾝ</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>レベル</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>位置</source>
        <translation>Pos.</translation>
    </message>
    <message>
        <source>モード</source>
        <translation>Mode</translation>
    </message>
    <message>
        <source>時間・周波数軸</source>
        <translation>Time/frequency</translation>
    </message>
    <message>
        <source>Lチャネル</source>
        <translation>L channel</translation>
    </message>
    <message>
        <source>カーソル１</source>
        <translation>Cursor 1</translation>
    </message>
    <message>
        <source>Rチャネル</source>
        <translation>R channel</translation>
    </message>
    <message>
        <source>カーソル２</source>
        <translation>Cursor 2</translation>
    </message>
    <message>
        <source>トリガ</source>
        <translation>Trigger</translation>
    </message>
    <message>
        <source>ｽｹｰﾙ</source>
        <translation>Scale</translation>
    </message>
    <message>
        <source>ｼﾞｪﾈﾚｰﾀ出力</source>
        <translation>Generator</translation>
    </message>
    <message>
        <source>音量</source>
        <translation>Vol.</translation>
    </message>
    <message>
        <source>Lﾁｬﾈﾙ</source>
        <translation>L ch</translation>
    </message>
    <message>
        <source>Rﾁｬﾈﾙ</source>
        <translation>R ch</translation>
    </message>
    <message>
        <source>ﾘｻｼﾞｭｰ図形</source>
        <translation>X-Y</translation>
    </message>
    <message>
        <source>録音</source>
        <translation>Rec</translation>
    </message>
    <message>
        <source>停止</source>
        <translation>Stop</translation>
    </message>
    <message>
        <source>Network解析 Start/Stop</source>
        <translation>Network Start/Stop</translation>
    </message>
    <message>
        <source>Velmora2 1.04 — two-channel sound-card instrument</source>
        <translation>Velmora2 1.04 — two-channel sound-card instrument</translation>
    </message>
    <message>
        <source>ｼﾞｪﾈﾚｰﾀ</source>
        <translation>Generator</translation>
    </message>
    <message>
        <source>ﾃﾞﾊﾞｲｽ</source>
        <translation>Device</translation>
    </message>
    <message>
        <source>Waveﾌｧｲﾙ</source>
        <translation>WAV file</translation>
    </message>
    <message>
        <source>正弦波</source>
        <translation>Sine</translation>
    </message>
    <message>
        <source>2ﾄｰﾝ</source>
        <translation>Two tones</translation>
    </message>
    <message>
        <source>ﾎﾜｲﾄﾉｲｽﾞ</source>
        <translation>White noise</translation>
    </message>
    <message>
        <source>ﾋﾟﾝｸﾉｲｽﾞ</source>
        <translation>Pink noise</translation>
    </message>
    <message>
        <source>無音</source>
        <translation>Silence</translation>
    </message>
    <message>
        <source>Lのみ</source>
        <translation>L</translation>
    </message>
    <message>
        <source>Rのみ</source>
        <translation>R</translation>
    </message>
    <message>
        <source>R反転</source>
        <translation>R inv.</translation>
    </message>
    <message>
        <source>ｽﾃｯﾌﾟ掃引</source>
        <translation>Stepped</translation>
    </message>
    <message>
        <source>ﾛｸﾞｽｲｰﾌﾟ</source>
        <translation>Log sweep</translation>
    </message>
    <message>
        <source>なし</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>キャリブレーション</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>波形をCB倍します。</source>
        <translation>Waveform × CB</translation>
    </message>
    <message>
        <source>ｵｰﾊﾞｻﾝﾌﾟﾘﾝｸﾞ</source>
        <translation>Oversampling</translation>
    </message>
    <message>
        <source>ｶｰｿﾙ差分の単位</source>
        <translation>Cursor delta</translation>
    </message>
    <message>
        <source>Rﾁｬﾈﾙ時間軸調整</source>
        <translation>R time shift</translation>
    </message>
    <message>
        <source>ﾄﾘｶﾞﾓｰﾄﾞ</source>
        <translation>Trigger mode</translation>
    </message>
    <message>
        <source>立上り</source>
        <translation>Rising</translation>
    </message>
    <message>
        <source>立下り</source>
        <translation>Falling</translation>
    </message>
    <message>
        <source>ADCの範囲</source>
        <translation>ADC range</translation>
    </message>
    <message>
        <source>表示</source>
        <translation>Show</translation>
    </message>
    <message>
        <source>Max録音時間</source>
        <translation>Rec. limit</translation>
    </message>
    <message>
        <source>FFTのﾎﾟｲﾝﾄ数</source>
        <translation>FFT points</translation>
    </message>
    <message>
        <source>ﾘﾆｱ</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>窓関数</source>
        <translation>Window</translation>
    </message>
    <message>
        <source>ハニング窓</source>
        <translation>Hanning</translation>
    </message>
    <message>
        <source>ハミング窓</source>
        <translation>Hamming</translation>
    </message>
    <message>
        <source>ブラックマン窓</source>
        <translation>Blackman</translation>
    </message>
    <message>
        <source>ﾌﾞﾗｯｸﾏﾝ-ﾊﾘｽ窓</source>
        <translation>Blackman-Harris</translation>
    </message>
    <message>
        <source>バートレット窓</source>
        <translation>Bartlett</translation>
    </message>
    <message>
        <source>なし(矩形窓)</source>
        <translation>Rectangular</translation>
    </message>
    <message>
        <source>測定</source>
        <translation>Measure</translation>
    </message>
    <message>
        <source>測定用ﾌｨﾙﾀ</source>
        <translation>Filter</translation>
    </message>
    <message>
        <source>ｵﾌｾｯﾄ調整</source>
        <translation>Offset</translation>
    </message>
    <message>
        <source>平均</source>
        <translation>Average</translation>
    </message>
    <message>
        <source>回数</source>
        <translation>N</translation>
    </message>
    <message>
        <source>精密解析</source>
        <translation>Precision</translation>
    </message>
    <message>
        <source>ﾌﾙｽｹｰﾙ電圧</source>
        <translation>Full scale</translation>
    </message>
    <message>
        <source>位相/遅延切替</source>
        <translation>Phase/delay</translation>
    </message>
    <message>
        <source>位相特性</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>遅延特性</source>
        <translation>Delay</translation>
    </message>
    <message>
        <source>測定点数</source>
        <translation>Points</translation>
    </message>
    <message>
        <source>11点</source>
        <translation>11</translation>
    </message>
    <message>
        <source>18点</source>
        <translation>18</translation>
    </message>
    <message>
        <source>30点</source>
        <translation>30</translation>
    </message>
    <message>
        <source>45点</source>
        <translation>45</translation>
    </message>
    <message>
        <source>レンジ</source>
        <translation>Range</translation>
    </message>
    <message>
        <source>振幅特性</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>振幅ｵﾌｾｯﾄ</source>
        <translation>Gain offset</translation>
    </message>
    <message>
        <source>周波数スイープ速度</source>
        <translation>Sweep speed</translation>
    </message>
    <message>
        <source>はやく</source>
        <translation>Fast</translation>
    </message>
    <message>
        <source>ゆっくり</source>
        <translation>Slow</translation>
    </message>
    <message>
        <source>測定方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>長さ</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>平滑化</source>
        <translation>Smooth</translation>
    </message>
    <message>
        <source>帯域</source>
        <translation>Band</translation>
    </message>
    <message>
        <source>再生Waveﾌｧｲﾙ</source>
        <translation>WAV file played</translation>
    </message>
    <message>
        <source>Waveﾌｧｲﾙ変更</source>
        <translation>Change WAV file</translation>
    </message>
    <message>
        <source>ｼﾞｪﾈﾚｰﾀ信号</source>
        <translation>Generator signal</translation>
    </message>
    <message>
        <source>信号源</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>ﾃﾞｨｻﾞ</source>
        <translation>Dither</translation>
    </message>
    <message>
        <source>周波数</source>
        <translation>Frequency</translation>
    </message>
    <message>
        <source>ﾚﾍﾞﾙ</source>
        <translation>Level</translation>
    </message>
    <message>
        <source>第2周波数</source>
        <translation>2nd freq.</translation>
    </message>
    <message>
        <source>振幅比</source>
        <translation>Ratio</translation>
    </message>
    <message>
        <source>位相</source>
        <translation>Phase</translation>
    </message>
    <message>
        <source>ﾁｬﾈﾙ</source>
        <translation>Ch.</translation>
    </message>
    <message>
        <source>ｻｳﾝﾄﾞﾃﾞﾊﾞｲｽの選択</source>
        <translation>Sound device</translation>
    </message>
    <message>
        <source>「ﾘｽﾄの先頭」とはﾃﾞｽｸﾄｯﾌﾟのｻｳﾝﾄﾞ設定で選ばれた既定のｻｳﾝﾄﾞﾃﾞﾊﾞｲｽです。</source>
        <translation>&quot;Top of the list&quot; is the default sound device chosen in the desktop&apos;s sound settings.</translation>
    </message>
    <message>
        <source>ｻﾝﾌﾟﾘﾝｸﾞ周波数</source>
        <translation>Sampling rate</translation>
    </message>
    <message>
        <source>設定保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>オプション</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>が見つかりません。</source>
        <translation> was not found.</translation>
    </message>
    <message>
        <source>WaveﾌｧｲﾙはVelmora2のﾃﾞｨﾚｸﾄﾘに置いて下さい。</source>
        <translation>Put WAV files in the Velmora2 folder.</translation>
    </message>
</context>
<context>
    <name>velmora2::msg</name>
    <message>
        <source>サウンド入力を設定できません。 
エラー: %08X</source>
        <translation>Cannot set up the sound input. 
Error: %08X</translation>
    </message>
    <message>
        <source>このﾃﾞﾊﾞｲｽのｻﾝﾌﾟﾘﾝｸﾞ周波数は&#x3000;
最高 %d Hzです。
ｱﾌﾟﾘｹｰｼｮﾝを終了→再起動してから 
ｻﾝﾌﾟﾘﾝｸﾞ周波数を確認してください。 </source>
        <translation>This device samples at 
at most %d Hz.
Quit and restart the application, 
then check the sampling rate. </translation>
    </message>
    <message>
        <source>INIファイル(Velmora2.INI)  <byte value="xd"/>
<byte value="xd"/>
が見つかりません。 </source>
        <translation>The settings file (Velmora2.INI)  <byte value="xd"/>
<byte value="xd"/>
was not found. </translation>
    </message>
    <message>
        <source>Velmora2.INIに書き込めません。<byte value="xd"/>
<byte value="xd"/>
ﾌｧｲﾙ使用中か書込禁止の可能性があります。</source>
        <translation>Cannot write Velmora2.INI.<byte value="xd"/>
<byte value="xd"/>
The file may be in use or write-protected.</translation>
    </message>
    <message>
        <source>に書き込めません。<byte value="xd"/>
<byte value="xd"/>
ﾌｧｲﾙ使用中か書込禁止の可能性があります。</source>
        <translation> cannot be written.<byte value="xd"/>
<byte value="xd"/>
The file may be in use or write-protected.</translation>
    </message>
    <message>
        <source>保存するデータがありません。</source>
        <translation>There is no data to save.</translation>
    </message>
    <message>
        <source>保存するインパルス応答がありません。</source>
        <translation>There is no impulse response to save.</translation>
    </message>
    <message>
        <source>サウンドデバイスが停止しました。 
ﾃﾞﾊﾞｲｽの接続を確認してから 
ｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 </source>
        <translation>The sound device has stopped. 
Check the device&apos;s connection, 
then restart the application. </translation>
    </message>
    <message>
        <source>オーディオデバイスに問題があります。 <byte value="xd"/>
Velmora2のヘルプの <byte value="xd"/>
→トラブルシューティングをご覧ください。 </source>
        <translation>There is a problem with the audio device. <byte value="xd"/>
See Troubleshooting <byte value="xd"/>
in the Velmora2 help. </translation>
    </message>
    <message>
        <source>新しいﾃﾞﾊﾞｲｽを有効にするには  <byte value="xd"/>
「設定保存」をクリックした後、 <byte value="xd"/>
ｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 </source>
        <translation>To use the new device,  <byte value="xd"/>
click &quot;Save&quot;, then <byte value="xd"/>
restart the application. </translation>
    </message>
    <message>
        <source>このｻﾝﾌﾟﾘﾝｸﾞ周波数はこのﾃﾞﾊﾞｲｽで  <byte value="xd"/>
ｻﾎﾟｰﾄされていない可能性があります。  <byte value="xd"/>
ﾃﾞﾊﾞｲｽの仕様を確認してください。 <byte value="xd"/>
また、ｻﾝﾌﾟﾘﾝｸﾞ周波数を変えるには <byte value="xd"/>
「設定保存」してから再起動してください。 <byte value="xd"/>
 </source>
        <translation>This device may not support  <byte value="xd"/>
this sampling rate.  <byte value="xd"/>
Check what the device supports. <byte value="xd"/>
To change the sampling rate, <byte value="xd"/>
click &quot;Save&quot; and restart. <byte value="xd"/>
 </translation>
    </message>
    <message>
        <source>新しいｻﾝﾌﾟﾘﾝｸﾞ周波数を有効にするには  <byte value="xd"/>
「設定保存」をクリックした後、 <byte value="xd"/>
ｱﾌﾟﾘｹｰｼｮﾝを再起動してください。 </source>
        <translation>To use the new sampling rate,  <byte value="xd"/>
click &quot;Save&quot;, then <byte value="xd"/>
restart the application. </translation>
    </message>
    <message>
        <source>Waveﾌｧｲﾙ名が長すぎます(99ﾊﾞｲﾄまで)。 <byte value="xd"/>
名前の短いﾌｧｲﾙを選んでください。 </source>
        <translation>The WAV file&apos;s name is too long (99 bytes at most). <byte value="xd"/>
Choose a file with a shorter name. </translation>
    </message>
    <message>
        <source>再生ﾃﾞﾊﾞｲｽでｻﾎﾟｰﾄされていない <byte value="xd"/>
ｻﾝﾌﾟﾘﾝｸﾞ周波数(%dHz)です。 <byte value="xd"/>
WAVEﾌｧｲﾙを変更してください。</source>
        <translation>The output device does not support <byte value="xd"/>
this sampling rate (%dHz). <byte value="xd"/>
Choose another WAV file.</translation>
    </message>
    <message>
        <source>RECORDXX.WAVに書き込めません。<byte value="xd"/>
<byte value="xd"/>
ﾌｧｲﾙ使用中か書込禁止の可能性があります。</source>
        <translation>Cannot write RECORDXX.WAV.<byte value="xd"/>
<byte value="xd"/>
The file may be in use or write-protected.</translation>
    </message>
</context>
</TS>
